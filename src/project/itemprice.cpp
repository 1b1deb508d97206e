#include "project/itemprice.h"

#include <array>

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

namespace {

struct KindNames {
    PriceKind kind;
    QString name;
    QString code;
};

const std::array<KindNames, 5>& kindNames() {
    static const std::array<KindNames, 5> names{{
        {PriceKind::WeightedAverage, u"Weighted average"_s, u"weighted"_s},
        {PriceKind::Median, u"Median"_s, u"median"_s},
        {PriceKind::QuantityAdjusted, u"Quantity-adjusted"_s, u"adjusted"_s},
        {PriceKind::Published, u"Published average"_s, u"published"_s},
        {PriceKind::Typed, u"Typed"_s, u"typed"_s},
    }};
    return names;
}

}  // namespace

QString priceKindName(PriceKind kind) {
    return kindNames()[static_cast<size_t>(kind)].name;
}

QString priceKindCode(PriceKind kind) {
    return kindNames()[static_cast<size_t>(kind)].code;
}

std::optional<PriceKind> priceKindFromCode(const QString& code) {
    for (const KindNames& names : kindNames()) {
        if (names.code == code) {
            return names.kind;
        }
    }
    return std::nullopt;
}

bool ItemKey::operator<(const ItemKey& other) const {
    if (const int c = compareBinary(cat, other.cat); c != 0) {
        return c < 0;
    }
    if (const int c = compareBinary(itemNumber, other.itemNumber); c != 0) {
        return c < 0;
    }
    return compareBinary(description, other.description) < 0;
}

}  // namespace veskplan
