#pragma once

#include <QString>
#include <QStringList>

#include "cli/usageproblem.h"

namespace veskplan {

// `quantities PROJECT TAKEOFF... [--layout FILE] [--category NN] [--rounding FILE]
// [--report OUT.csv] [--apply OUT.vsk]`: reviews what the take-off files would change in the
// project and writes the review as CSV (to standard output without --report). With --apply it
// writes the project with every row that needs no decision applied to OUT.vsk; PROJECT itself
// only when OUT.vsk is the same file. The rows that need a decision are listed on standard
// output (when the review went to a file) and make the exit status 1. Throws Error for a
// failure and UsageProblem for a wrong command line.
int runQuantitiesCommand(const QStringList& args);

}  // namespace veskplan
