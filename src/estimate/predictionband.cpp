#include "estimate/predictionband.h"

#include <algorithm>
#include <cmath>

#include "history/bidstatistics.h"

namespace veskplan {

std::vector<BandPoint> predictionBand(const ItemStatistics& statistics, double projectQuantity,
                                      int points) {
    const auto& r = statistics.regression;
    std::vector<double> xs;
    double residuals = 0;
    for (const BidRecord& bid : statistics.bidsUsed) {
        if (bid.unitPrice > 0 && bid.quantity > 0) {
            xs.push_back(std::log(bid.quantity));
            if (r) {
                const double e = std::log(bid.unitPrice) - (r->intercept + r->slope * xs.back());
                residuals += e * e;
            }
        }
    }
    const size_t n = xs.size();
    if (!r || n < 3 || points < 2) {
        return {};
    }
    double meanX = 0;
    for (const double x : xs) {
        meanX += x / double(n);
    }
    double sxx = 0;
    for (const double x : xs) {
        sxx += (x - meanX) * (x - meanX);
    }
    const double s = std::sqrt(residuals / double(n - 2));
    const double t = studentTQuantile(0.95, int(n - 2));
    double low = *std::min_element(xs.begin(), xs.end());
    double high = *std::max_element(xs.begin(), xs.end());
    if (projectQuantity > 0) {
        low = std::min(low, std::log(projectQuantity));
        high = std::max(high, std::log(projectQuantity));
    }
    std::vector<BandPoint> band;
    for (int i = 0; i < points; ++i) {
        const double x = low + (high - low) * i / (points - 1);
        const double fitted = r->intercept + r->slope * x;
        const double half =
            t * s * std::sqrt(1 + 1 / double(n) + (x - meanX) * (x - meanX) / std::max(sxx, 1e-12));
        band.push_back(BandPoint{std::exp(x), std::exp(fitted - half), std::exp(fitted),
                                 std::exp(fitted + half)});
    }
    return band;
}

}  // namespace veskplan
