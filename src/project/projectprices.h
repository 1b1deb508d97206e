#pragma once

#include <map>
#include <optional>

#include "project/estimatesetup.h"
#include "project/itemprice.h"
#include "project/milestone.h"

namespace veskplan {

// The prices of a project: a unit price for any of its items, the mobilization and contingency
// percentages of its estimate (none unless set), how its estimate is priced, and the milestone
// the project stands at, whose percentage the contingency takes unless it is set. A price stays
// with its item's key while the item is out of the project, so that an undone removal brings it
// back priced.
class ProjectPrices {
public:
    const std::map<ItemKey, ItemPrice>& items() const { return items_; }
    const ItemPrice* find(const ItemKey& key) const;
    // Sets or (with none) clears an item's price.
    void set(const ItemKey& key, std::optional<ItemPrice> price);

    std::optional<double> mobilizationPercent() const { return mobilization_; }
    std::optional<double> contingencyPercent() const { return contingency_; }
    void setMobilizationPercent(std::optional<double> percent) { mobilization_ = percent; }
    void setContingencyPercent(std::optional<double> percent) { contingency_ = percent; }

    std::optional<Milestone> milestone() const { return milestone_; }
    void setMilestone(std::optional<Milestone> milestone) { milestone_ = milestone; }

    const EstimateSetup& estimateSetup() const { return setup_; }
    void setEstimateSetup(const EstimateSetup& setup) { setup_ = setup; }

    bool isEmpty() const {
        return items_.empty() && !mobilization_ && !contingency_ && setup_.isEmpty() && !milestone_;
    }
    bool operator==(const ProjectPrices&) const = default;

    // The largest unit price and percentage a project holds; anything above is a typing slip.
    static constexpr double kMaxUnitPrice = 1e10;
    static constexpr double kMaxPercent = 1000;
    static bool isValidUnitPrice(double price);
    static bool isValidPercent(double percent);

private:
    std::map<ItemKey, ItemPrice> items_;
    std::optional<double> mobilization_;
    std::optional<double> contingency_;
    EstimateSetup setup_;
    std::optional<Milestone> milestone_;
};

}  // namespace veskplan
