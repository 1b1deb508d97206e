#pragma once

#include "controller/userport.h"

namespace veskplan {

// Shows the hourglass for as long as it lives.
class BusyCursor {
public:
    explicit BusyCursor(UserPort& port) : port_(port) { port_.beginBusy(); }
    ~BusyCursor() { port_.endBusy(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    UserPort& port_;
};

}  // namespace veskplan
