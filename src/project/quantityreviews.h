#pragma once

#include <QString>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "project/projectrecord.h"

namespace veskplan {

// The items whose quantity the designer has to look at again because a replacement measured
// them in another unit: by the item's key (category, item number, description), the unit the
// quantity was typed in.
class QuantityReviews {
public:
    struct Entry {
        QString cat;
        QString itemNumber;
        QString description;
        QString formerUnit;
    };

    // The unit the item's quantity was typed in, when it is to be reviewed.
    std::optional<QString> formerUnit(const ProjectRecord& item) const;
    void mark(const ProjectRecord& item, const QString& formerUnit);
    void unmark(const ProjectRecord& item);
    bool isEmpty() const { return reviews_.empty(); }
    void clear() { reviews_.clear(); }

    // Every entry, in key order.
    std::vector<Entry> entries() const;
    static QuantityReviews fromEntries(const std::vector<Entry>& entries);

    bool operator==(const QuantityReviews&) const = default;

private:
    using Key = std::tuple<QString, QString, QString>;
    static Key keyOf(const ProjectRecord& item) {
        return {item.cat, item.itemNumber, item.description};
    }

    std::map<Key, QString> reviews_;
};

}  // namespace veskplan
