#pragma once

#include <QByteArray>

namespace veskplan {

class ComparisonReport;

// The comparison as a workbook of one sheet: who is compared, the rows (those that move the
// total most first; with `all` also the items that stayed the same), then the estimate's totals of
// both projects. Values, no formulas: it is a record of two files as they were. Throws Error when
// the archive cannot be made.
QByteArray comparisonWorkbook(const ComparisonReport& report, bool all);

}  // namespace veskplan
