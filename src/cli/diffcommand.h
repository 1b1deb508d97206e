#pragma once

#include <QStringList>

#include "cli/usageproblem.h"

namespace veskplan {

// `diff OLD NEW [--all] --csv|--xlsx|--pdf OUTPUT`: writes what changed from project OLD to
// project NEW (a later milestone): the items added, removed and changed, those that move the
// total most first, with --all also those that stayed the same; the CSV then the total, the
// workbook and the PDF the estimate's totals of both, each contingency that of its milestone
// unless the project sets one. Throws Error for a failure and UsageProblem for a wrong command
// line.
int runDiffCommand(const QStringList& args);

}  // namespace veskplan
