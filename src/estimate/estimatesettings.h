#pragma once

#include <QString>
#include <optional>

#include "history/bidwindow.h"
#include "project/estimatesetup.h"

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

// The words the command line and the project file name the choices by: "low", "three", "all";
// "weighted", "median", "adjusted". Nothing for a word that names none.
QString bidSelectionCode(BidSelection selection);
std::optional<BidSelection> bidSelectionFromCode(const QString& code);
QString priceStatisticCode(PriceStatistic statistic);
std::optional<PriceStatistic> priceStatisticFromCode(const QString& code);

// The settings a project's estimate setup gives; what it does not hold comes from the standard
// settings of `today`.
EstimateSettings settingsOf(const EstimateSetup& setup, QDate today);
// The setup with these settings and its sources as they are.
EstimateSetup withSettings(EstimateSetup setup, const EstimateSettings& settings);

// The settings in a line: "low bids let 2024-03-31 to 2026-03-31, every region, weighted
// average".
QString describeSettings(const EstimateSettings& settings);

// Why an estimate whose window selects no bid of the history is refused.
QString noBidInWindow(const EstimateSettings& settings);

}  // namespace veskplan
