#include "history/bidstatistics.h"

#include <QSet>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <unordered_map>

#include "history/fieldtext.h"

namespace veskplan {
namespace {

// The regularized incomplete beta function I_x(a, b) by its continued fraction, evaluated with
// the modified Lentz method on whichever side of the mean converges quickly.
double incompleteBeta(double x, double a, double b) {
    if (x <= 0) {
        return 0;
    }
    if (x >= 1) {
        return 1;
    }
    if (x > (a + 1) / (a + b + 2)) {
        return 1 - incompleteBeta(1 - x, b, a);
    }
    const double front = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) +
                                  a * std::log(x) + b * std::log1p(-x)) /
                         a;
    constexpr double tiny = 1e-300;
    double c = 1;
    double d = 1 - (a + b) * x / (a + 1);
    d = 1 / (std::abs(d) < tiny ? tiny : d);
    double result = d;
    for (int m = 1; m <= 500; ++m) {
        for (int half = 0; half < 2; ++half) {
            const double numerator =
                half == 0 ? m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m))
                          : -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1));
            d = 1 + numerator * d;
            d = 1 / (std::abs(d) < tiny ? tiny : d);
            c = 1 + numerator / c;
            c = std::abs(c) < tiny ? tiny : c;
            result *= c * d;
        }
        if (std::abs(c * d - 1) < 1e-15) {
            break;
        }
    }
    return front * result;
}

// P(T <= t) for t >= 0.
double studentTCdf(double t, int degrees) {
    const double nu = degrees;
    return 1 - 0.5 * incompleteBeta(nu / (nu + t * t), nu / 2, 0.5);
}

bool selected(const BidRecord& bid, BidSelection selection) {
    switch (selection) {
        case BidSelection::Low:
            return bid.lowBidder || bid.bidderRank == 1;
        case BidSelection::ThreeLowest:
            return (bid.bidderRank >= 1 && bid.bidderRank <= 3) ||
                   (bid.bidderRank == 0 && bid.lowBidder);
        case BidSelection::All:
            return true;
    }
    return false;
}

bool inWindow(const BidRecord& bid, const BidWindow& window, const QString& region) {
    if (window.from.isValid() && bid.lettingDate < window.from) {
        return false;
    }
    if (window.to.isValid() && bid.lettingDate > window.to) {
        return false;
    }
    return region.isEmpty() || bid.region.trimmed().compare(region, Qt::CaseInsensitive) == 0;
}

// The quantile of 90% intervals depends only on the degrees of freedom, and finding it takes
// longer than the rest of an item's figures: each is worked out once.
double upperQuantile95(int degrees) {
    thread_local std::unordered_map<int, double> known;
    auto found = known.find(degrees);
    if (found == known.end()) {
        found = known.emplace(degrees, studentTQuantile(0.95, degrees)).first;
    }
    return found->second;
}

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::optional<PriceRegression> regress(const std::vector<BidRecord>& bids, double quantity) {
    std::vector<double> xs;
    std::vector<double> ys;
    for (const BidRecord& bid : bids) {
        if (bid.unitPrice > 0 && bid.quantity > 0) {
            xs.push_back(std::log(bid.quantity));
            ys.push_back(std::log(bid.unitPrice));
        }
    }
    const size_t n = xs.size();
    if (n < 3) {
        return std::nullopt;
    }
    const double meanX = std::accumulate(xs.begin(), xs.end(), 0.0) / double(n);
    const double meanY = std::accumulate(ys.begin(), ys.end(), 0.0) / double(n);
    double sxx = 0;
    double sxy = 0;
    for (size_t i = 0; i < n; ++i) {
        sxx += (xs[i] - meanX) * (xs[i] - meanX);
        sxy += (xs[i] - meanX) * (ys[i] - meanY);
    }
    if (sxx <= 1e-12) {
        return std::nullopt;  // every bid for the same quantity: no slope to find
    }
    PriceRegression r;
    r.bids = int(n);
    r.slope = sxy / sxx;
    r.intercept = meanY - r.slope * meanX;
    double residuals = 0;
    for (size_t i = 0; i < n; ++i) {
        const double e = ys[i] - (r.intercept + r.slope * xs[i]);
        residuals += e * e;
    }
    const double s = std::sqrt(residuals / double(n - 2));
    const double x0 = std::log(quantity);
    const double fitted = r.intercept + r.slope * x0;
    const double half = upperQuantile95(int(n - 2)) * s *
                        std::sqrt(1 + 1 / double(n) + (x0 - meanX) * (x0 - meanX) / sxx);
    r.predicted = std::exp(fitted);
    r.lower90 = std::exp(fitted - half);
    r.upper90 = std::exp(fitted + half);
    return r;
}

}  // namespace

double studentTQuantile(double p, int degrees) {
    if (!(p > 0 && p < 1) || degrees < 1) {
        throw std::invalid_argument("Student's t quantile needs 0 < p < 1 and a degree of freedom");
    }
    if (p < 0.5) {
        return -studentTQuantile(1 - p, degrees);
    }
    double low = 0;
    double high = 1;
    while (studentTCdf(high, degrees) < p && high < 1e12) {
        low = high;
        high *= 2;
    }
    for (int i = 0; i < 200 && high - low > 1e-13 * std::max(1.0, high); ++i) {
        const double middle = (low + high) / 2;
        (studentTCdf(middle, degrees) < p ? low : high) = middle;
    }
    return (low + high) / 2;
}

ItemStatistics computeStatistics(const std::vector<BidRecord>& bidsOfOneItem, const QString& unit,
                                 const BidWindow& window, const CostIndex* index,
                                 std::optional<double> projectQuantity) {
    ItemStatistics stats;
    stats.unit = fieldtext::canonicalUnit(unit);
    if (!bidsOfOneItem.empty()) {
        stats.itemNumber = bidsOfOneItem.front().itemNumber;
    }
    const bool escalate = window.escalate && index != nullptr && !index->isEmpty();
    const QString region = window.region.trimmed();
    for (const BidRecord& bid : bidsOfOneItem) {
        if (!inWindow(bid, window, region) || !selected(bid, window.bids)) {
            continue;
        }
        // The history keeps units in their canonical spelling: most compare equal at once.
        if (bid.unit != stats.unit && fieldtext::canonicalUnit(bid.unit) != stats.unit) {
            ++stats.otherUnitBids;
            continue;
        }
        BidRecord used = bid;
        if (escalate) {
            const std::optional<double> factor =
                index->factor(bid.lettingDate, window.estimateDate);
            if (!factor) {
                ++stats.notEscalatedBids;
                continue;
            }
            used.unitPrice *= *factor;
        }
        stats.bidsUsed.push_back(used);
    }
    const std::vector<BidRecord>& bids = stats.bidsUsed;
    stats.bids = int(bids.size());
    if (bids.empty()) {
        return stats;
    }
    QSet<QString> contracts;
    std::vector<double> prices;
    double amount = 0;
    double quantity = 0;
    stats.minimum = stats.maximum = bids.front().unitPrice;
    stats.minQuantity = stats.maxQuantity = bids.front().quantity;
    for (const BidRecord& bid : bids) {
        stats.bidIds.push_back(bid.id);
        contracts.insert(bid.contract);
        prices.push_back(bid.unitPrice);
        amount += bid.unitPrice * bid.quantity;
        quantity += bid.quantity;
        stats.minimum = std::min(stats.minimum, bid.unitPrice);
        stats.maximum = std::max(stats.maximum, bid.unitPrice);
        stats.minQuantity = std::min(stats.minQuantity, bid.quantity);
        stats.maxQuantity = std::max(stats.maxQuantity, bid.quantity);
    }
    stats.contracts = int(contracts.size());
    stats.weightedAverage = quantity > 0 ? amount / quantity : 0;
    stats.median = medianOf(prices);
    const double n = double(prices.size());
    const double mean = std::accumulate(prices.begin(), prices.end(), 0.0) / n;
    if (prices.size() >= 2 && mean > 0) {
        double squares = 0;
        for (double price : prices) {
            squares += (price - mean) * (price - mean);
        }
        stats.coefficientOfVariation = std::sqrt(squares / (n - 1)) / mean;
    }
    if (stats.contracts >= kRegressionContracts && projectQuantity && *projectQuantity > 0) {
        stats.regression = regress(bids, *projectQuantity);
    }
    return stats;
}

}  // namespace veskplan
