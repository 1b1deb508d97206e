#pragma once

#include <QByteArray>
#include <QString>

#include "estimate/estimate.h"

namespace veskplan {

// The estimate as a PDF: the major items first, then every item by category with its
// subtotal, then mobilization, contingency and the total; every page headed with the
// confidentiality mark and footed with the price sources it was priced from.
QByteArray estimatePdf(const Estimate& estimate, const EstimateTitle& title);
// Writes it whole or not at all. Throws Error naming the file.
void writeEstimatePdf(const Estimate& estimate, const EstimateTitle& title, const QString& path);

}  // namespace veskplan
