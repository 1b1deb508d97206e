#pragma once

namespace veskplan {

// A command line that a command cannot run; `problem` is the usage line's reason.
struct UsageProblem {
    const char* problem;
};

}  // namespace veskplan
