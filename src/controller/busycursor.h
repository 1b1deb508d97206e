#pragma once

#include "controller/busyindicator.h"

namespace veskplan {

// Shows the busy pointer for as long as it lives.
class BusyCursor {
public:
    explicit BusyCursor(BusyIndicator& indicator) : indicator_(indicator) {
        indicator_.beginBusy();
    }
    ~BusyCursor() { indicator_.endBusy(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    BusyIndicator& indicator_;
};

}  // namespace veskplan
