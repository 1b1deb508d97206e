#pragma once

#include <QByteArray>

namespace veskplan {

class ComparisonReport;

// The comparison as a PDF on US Letter, landscape: who is compared, the rows as the workbook has
// them, then the estimate's totals of both; every page headed with the title and its number.
QByteArray comparisonPdf(const ComparisonReport& report, bool all);

}  // namespace veskplan
