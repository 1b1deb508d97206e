#pragma once

#include <QString>
#include <optional>

#include "project/projectrecord.h"

namespace veskplan {

// Where a unit price came from: a statistic of the bid history, an agency's published average,
// or typed by the designer.
enum class PriceKind { WeightedAverage, Median, QuantityAdjusted, Published, Typed };

// The name a price kind is shown by ("Weighted average") and the code it is stored as
// ("weighted").
QString priceKindName(PriceKind kind);
QString priceKindCode(PriceKind kind);
std::optional<PriceKind> priceKindFromCode(const QString& code);

// What identifies an item in the project: no two items share category, item number and
// description.
struct ItemKey {
    QString cat;
    QString itemNumber;
    QString description;

    static ItemKey of(const ProjectRecord& record) {
        return ItemKey{record.cat, record.itemNumber, record.description};
    }
    bool operator==(const ItemKey&) const = default;
    // In "PrimaryKey" order, compared as the table compares them.
    bool operator<(const ItemKey& other) const;
};

// An item's unit price in the unit it was priced in, with where it came from.
struct ItemPrice {
    double unitPrice = 0;
    QString unit;
    PriceKind kind = PriceKind::Typed;
    QString note;

    bool operator==(const ItemPrice&) const = default;
};

}  // namespace veskplan
