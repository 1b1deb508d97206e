#pragma once

#include <QByteArray>
#include <QString>

#include "estimate/estimate.h"

namespace veskplan {

// The estimate as a workbook: a sheet of the items, whose amounts, category subtotals,
// mobilization, contingency and total are formulas, and a sheet with the evidence behind each
// price. Both carry the confidentiality mark in their first row and in the printed header.
// Throws Error when the archive cannot be made.
QByteArray estimateWorkbook(const Estimate& estimate, const EstimateTitle& title);
// Writes it whole or not at all. Throws Error naming the file.
void writeEstimateWorkbook(const Estimate& estimate, const EstimateTitle& title,
                           const QString& path);

}  // namespace veskplan
