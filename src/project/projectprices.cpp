#include "project/projectprices.h"

#include <cmath>

namespace veskplan {

const ItemPrice* ProjectPrices::find(const ItemKey& key) const {
    const auto found = items_.find(key);
    return found == items_.end() ? nullptr : &found->second;
}

void ProjectPrices::set(const ItemKey& key, std::optional<ItemPrice> price) {
    if (price) {
        items_[key] = std::move(*price);
    } else {
        items_.erase(key);
    }
}

bool ProjectPrices::isValidUnitPrice(double price) {
    return std::isfinite(price) && price >= 0 && price <= kMaxUnitPrice;
}

bool ProjectPrices::isValidPercent(double percent) {
    return std::isfinite(percent) && percent >= 0 && percent <= kMaxPercent;
}

}  // namespace veskplan
