#pragma once

#include <QStringList>

#include "cli/usageproblem.h"

namespace veskplan {

// `diff OLD NEW [--all] --csv OUTPUT`: writes what changed from project OLD to project NEW (a
// later milestone) as CSV: the items added, removed and changed, those that move the total most
// first, with --all also those that stayed the same, then the total. Throws Error for a failure
// and UsageProblem for a wrong command line.
int runDiffCommand(const QStringList& args);

}  // namespace veskplan
