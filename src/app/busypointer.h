#pragma once

#include "controller/busyindicator.h"

namespace veskplan {

// The wait pointer over the whole program while a command works.
class BusyPointer : public BusyIndicator {
public:
    void beginBusy() override;
    void endBusy() override;

private:
    int depth_ = 0;
};

}  // namespace veskplan
