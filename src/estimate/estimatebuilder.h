#pragma once

#include <optional>
#include <vector>

#include "estimate/estimate.h"
#include "estimate/estimatesettings.h"
#include "estimate/pricesources.h"
#include "project/categorylist.h"
#include "project/projectprices.h"

namespace veskplan {

// Prices a project: each item's own stored price when it has one, otherwise the chosen statistic
// of its bids in the window, otherwise the published average of its unit (the window's region,
// else the statewide row). Amounts are the quantity times the unit price in cents.
namespace estimatebuilder {

// What the sources say about one item in the settings' window. The bids are those of the first
// source, in the user's order, whose bids give statistics; the published average is the first
// of the item's unit for the window's region, else the first statewide one.
struct Evidence {
    std::optional<ItemStatistics> statistics;   // only with bids in the item's unit
    std::optional<PublishedPrice> published;    // of the item's unit
    QString statisticsSource, publishedSource;  // the names of the sources that gave them
    bool otherUnitOnly = false;                 // the sources price the item in other units only
    // Bids of the item that the window selects, in any unit and whether or not the index reaches
    // them: none for every item means the window selects nothing.
    int selectedBids = 0;
    // Bids of the item the sources hold, whatever the window.
    int historyBids = 0;
    // A free-text item whose description the sources do not know.
    bool unknownDescription = false;
};
Evidence evidenceFor(const ProjectRecord& item, const PriceSources& sources,
                     const EstimateSettings& settings);
// The price the evidence gives, none without any.
std::optional<ItemPrice> computedPrice(const ProjectRecord& item, const Evidence& evidence,
                                       PriceStatistic statistic);

Estimate build(const std::vector<ProjectRecord>& items, const CategoryList& categories,
               const ProjectPrices& prices, const PriceSources& sources,
               const EstimateSettings& settings);

// How the index escalated the line's bids: " escalated by INDEX 2025Q2→2026Q3", empty for a line
// whose bids were not escalated.
QString escalationText(const EstimateLine& line, const Estimate& estimate);

// Whether a unit is a lump sum, and whether two units are the same (blanks and case aside).
bool isLumpSum(const QString& unit);
bool sameUnit(const QString& a, const QString& b);

}  // namespace estimatebuilder
}  // namespace veskplan
