#pragma once

namespace veskplan {

// The busy pointer while a command works: shown by the windows, counted by the tests. Calls
// nest.
class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;
    virtual void beginBusy() = 0;
    virtual void endBusy() = 0;
};

}  // namespace veskplan
