#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "history/bidrecord.h"
#include "history/bidwindow.h"
#include "history/costindex.h"
#include "history/itemstatistics.h"

namespace veskplan {

// The fewest contracts a regression is fitted to.
constexpr int kRegressionContracts = 8;

// The statistics of one item's bids in `unit` within the window. Bids in another unit are
// counted, never used. With escalation each price is brought to the estimate date by `index`
// (none given: no escalation); a bid the index cannot reach is counted and left out. The
// regression needs kRegressionContracts or more contracts, a project quantity above 0 and three or
// more bids of positive price with different quantities.
ItemStatistics computeStatistics(const std::vector<BidRecord>& bidsOfOneItem, const QString& unit,
                                 const BidWindow& window, const CostIndex* index,
                                 std::optional<double> projectQuantity);

// The p quantile of Student's t distribution with `degrees` degrees of freedom (0 < p < 1,
// degrees >= 1).
double studentTQuantile(double p, int degrees);

}  // namespace veskplan
