#pragma once

namespace veskplan {

// Runs veskplan-cli with the process arguments; returns the exit status (0 success, 1 failure,
// 2 usage error).
int runCommandLine(int argc, char** argv);

}  // namespace veskplan
