#pragma once

#include <QByteArray>

#include "estimate/estimate.h"

namespace veskplan {

// The estimate as CSV (UTF-8, CR LF): a heading row, one row per item in category then item
// order, then the category subtotals, mobilization, contingency and the total, each named in
// "Description" with its amount in "Amount"; last the cost index it was escalated by, and a
// "Priced from" row for each price source with the date it is as of.
QByteArray estimateCsv(const Estimate& estimate);

}  // namespace veskplan
