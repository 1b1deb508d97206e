#pragma once

#include <QString>
#include <optional>

namespace veskplan {

// One row of a published average unit-price report.
struct PublishedPrice {
    QString itemNumber, description, unit, region;
    double averagePrice = 0;
    std::optional<double> totalQuantity, totalCost;
    std::optional<int> bids;
    int line = 0;  // where the row is in its file

    bool operator==(const PublishedPrice&) const = default;
};

}  // namespace veskplan
