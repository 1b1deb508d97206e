#pragma once

#include <vector>

#include "history/itemstatistics.h"

namespace veskplan {

// A point of the regression line with its 90% prediction interval.
struct BandPoint {
    double quantity = 0;
    double lower = 0, fitted = 0, upper = 0;
};

// The item's regression line and 90% prediction interval at `points` quantities spread evenly on
// the log scale over the bids' quantities and the project's (when above 0); nothing without a
// regression.
std::vector<BandPoint> predictionBand(const ItemStatistics& statistics, double projectQuantity,
                                      int points);

}  // namespace veskplan
