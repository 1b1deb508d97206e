#include "project/quantityreviews.h"

namespace veskplan {

std::optional<QString> QuantityReviews::formerUnit(const ProjectRecord& item) const {
    const auto found = reviews_.find(keyOf(item));
    return found == reviews_.end() ? std::nullopt : std::optional(found->second);
}

void QuantityReviews::mark(const ProjectRecord& item, const QString& formerUnit) {
    reviews_[keyOf(item)] = formerUnit;
}

void QuantityReviews::unmark(const ProjectRecord& item) {
    reviews_.erase(keyOf(item));
}

std::vector<QuantityReviews::Entry> QuantityReviews::entries() const {
    std::vector<Entry> all;
    for (const auto& [key, unit] : reviews_) {
        all.push_back({std::get<0>(key), std::get<1>(key), std::get<2>(key), unit});
    }
    return all;
}

QuantityReviews QuantityReviews::fromEntries(const std::vector<Entry>& entries) {
    QuantityReviews reviews;
    for (const Entry& entry : entries) {
        reviews.reviews_[{entry.cat, entry.itemNumber, entry.description}] = entry.formerUnit;
    }
    return reviews;
}

}  // namespace veskplan
