#pragma once

#include <QString>

#include "history/bidwindow.h"

namespace veskplan {

// The statistic a bid-history price is taken from.
enum class PriceStatistic { WeightedAverage, Median, QuantityAdjusted };

// How an estimate prices items that the project holds no price for: the bids of the window and
// the statistic chosen. The window's region also picks the published averages' rows.
struct EstimateSettings {
    BidWindow window;
    PriceStatistic statistic = PriceStatistic::WeightedAverage;

    // The agencies' usual window: the low bids of the 24 months before `estimateDate`, every
    // region.
    static EstimateSettings standard(QDate estimateDate);
};

// The settings in a line: "low bids let 2024-03-31 to 2026-03-31, every region, weighted
// average".
QString describeSettings(const EstimateSettings& settings);

}  // namespace veskplan
