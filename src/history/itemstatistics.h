#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "history/bidrecord.h"

namespace veskplan {

// Ordinary least squares of ln(unit price) on ln(quantity), and what it predicts for the
// project's quantity with its 90% prediction interval.
struct PriceRegression {
    double intercept = 0, slope = 0;
    int bids = 0;
    double predicted = 0, lower90 = 0, upper90 = 0;
};

// The evidence behind one item's price from the bid history.
struct ItemStatistics {
    QString itemNumber, unit;
    int bids = 0, contracts = 0;
    double weightedAverage = 0, median = 0, minimum = 0, maximum = 0;
    std::optional<double> coefficientOfVariation;  // sample sd / mean, needs 2+ bids
    double minQuantity = 0, maxQuantity = 0;
    std::optional<PriceRegression> regression;  // 8+ contracts and a project quantity > 0
    std::vector<qint64> bidIds;                 // the bids behind the figures
    std::vector<BidRecord> bidsUsed;  // after window, selection and escalation (for the plot)
    // Bids left out that are not the window's doing, so that none goes missing unseen: those in
    // another unit than the one asked for, and those let before the cost index begins.
    int otherUnitBids = 0;
    int notEscalatedBids = 0;
};

}  // namespace veskplan
