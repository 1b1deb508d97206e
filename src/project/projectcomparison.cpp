#include "project/projectcomparison.h"

#include <QHash>
#include <algorithm>
#include <cmath>

#include "base/csv.h"
#include "base/numbertext.h"
#include "project/projecttexts.h"

namespace veskplan {
namespace {

// The difference of two quantities as their decimals differ: in binary 185.3 - 191 is
// -5.699999999999989, which shortest() would write whole. No quantity has nine decimals.
double decimalDifference(double after, double before) {
    return std::round((after - before) * 1e9) / 1e9;
}

using Row = ProjectComparison::Row;
using Status = ProjectComparison::Status;

QString trimmed(QStringView text) {
    return text.trimmed().toString();
}

// The item's amount in cents, when it has a unit price in its own unit.
std::optional<qint64> centsOf(const ProjectRecord& item, const ProjectPrices& prices) {
    const ItemPrice* price = prices.find(ItemKey::of(item));
    if (price == nullptr || trimmed(price->unit) != trimmed(item.units)) {
        return std::nullopt;
    }
    return numbertext::decimalProduct(item.quantity.value_or(0),
                                      numbertext::decimalProduct(price->unitPrice, 100));
}

QString quantityText(const std::optional<double>& quantity) {
    return quantity ? numbertext::shortest(*quantity) : QString();
}

QString centsText(std::optional<qint64> cents) {
    if (!cents) {
        return QString();
    }
    const qint64 whole = std::abs(*cents);
    return (*cents < 0 ? QString(u'-') : QString()) + QString::number(whole / 100) + u'.' +
           QString::number(whole % 100).rightJustified(2, u'0');
}

}  // namespace

ProjectComparison ProjectComparison::compare(const std::vector<ProjectRecord>& oldItems,
                                             const ProjectPrices& oldPrices,
                                             const std::vector<ProjectRecord>& newItems,
                                             const ProjectPrices& newPrices) {
    ProjectComparison comparison;
    comparison.amounts_ = !oldPrices.items().empty() || !newPrices.items().empty();
    // The items of both, by number and description, each side in category order.
    using Group = std::pair<std::vector<const ProjectRecord*>, std::vector<const ProjectRecord*>>;
    QHash<QString, Group> groups;
    const auto key = [](const ProjectRecord& r) {
        return trimmed(r.itemNumber) + u'\n' + trimmed(r.description);
    };
    for (const ProjectRecord& item : oldItems) {
        groups[key(item)].first.push_back(&item);
    }
    for (const ProjectRecord& item : newItems) {
        groups[key(item)].second.push_back(&item);
    }
    const auto byCategory = [](const ProjectRecord* a, const ProjectRecord* b) {
        return a->cat < b->cat;
    };
    for (auto& [olds, news] : groups) {
        std::sort(olds.begin(), olds.end(), byCategory);
        std::sort(news.begin(), news.end(), byCategory);
        std::vector<std::pair<const ProjectRecord*, const ProjectRecord*>> pairs;
        for (auto& o : olds) {
            for (auto& n : news) {
                if (n != nullptr && o != nullptr && n->cat == o->cat) {
                    pairs.emplace_back(o, n);
                    o = n = nullptr;
                }
            }
        }
        std::erase(olds, nullptr);
        std::erase(news, nullptr);
        for (size_t i = 0; i < std::max(olds.size(), news.size()); ++i) {
            pairs.emplace_back(i < olds.size() ? olds[i] : nullptr,
                               i < news.size() ? news[i] : nullptr);
        }
        for (const auto& [o, n] : pairs) {
            const ProjectRecord& either = n != nullptr ? *n : *o;
            Row row;
            row.itemNumber = trimmed(either.itemNumber);
            row.description = trimmed(either.description);
            row.unit = trimmed(either.units);
            if (o != nullptr) {
                row.oldCategory = o->cat;
                row.oldQuantity = o->quantity;
                row.oldCents = centsOf(*o, oldPrices);
            }
            if (n != nullptr) {
                row.newCategory = n->cat;
                row.newQuantity = n->quantity;
                row.newCents = centsOf(*n, newPrices);
            }
            row.status = o == nullptr   ? Status::Added
                         : n == nullptr ? Status::Removed
                         : (o->cat != n->cat || o->quantity != n->quantity ||
                            trimmed(o->units) != trimmed(n->units) || row.oldCents != row.newCents)
                             ? Status::Changed
                             : Status::Same;
            row.change =
                comparison.amounts_
                    ? double(row.newCents.value_or(0) - row.oldCents.value_or(0))
                    : decimalDifference(row.newQuantity.value_or(0), row.oldQuantity.value_or(0));
            comparison.rows_.push_back(std::move(row));
        }
    }
    std::sort(comparison.rows_.begin(), comparison.rows_.end(), [](const Row& a, const Row& b) {
        if (std::abs(a.change) != std::abs(b.change)) {
            return std::abs(a.change) > std::abs(b.change);
        }
        const int byNumber = compareBinary(a.itemNumber, b.itemNumber);
        if (byNumber != 0) {
            return byNumber < 0;
        }
        return compareBinary(a.description + a.oldCategory + a.newCategory,
                             b.description + b.oldCategory + b.newCategory) < 0;
    });
    return comparison;
}

QByteArray ProjectComparison::toCsv(bool all) const {
    QByteArray out;
    csv::appendRecord(out, texts::comparisonCsvHeading().split(u','), csv::LineEnd::Lf);
    qint64 oldTotal = 0;
    qint64 newTotal = 0;
    for (const Row& row : rows_) {
        oldTotal += row.oldCents.value_or(0);
        newTotal += row.newCents.value_or(0);
        if (row.status == Status::Same && !all) {
            continue;
        }
        const QString change =
            amounts_ ? centsText(qint64(row.change)) : numbertext::shortest(row.change);
        csv::appendRecord(
            out,
            {row.itemNumber, row.description, row.unit, row.oldCategory, row.newCategory,
             quantityText(row.oldQuantity), quantityText(row.newQuantity), centsText(row.oldCents),
             centsText(row.newCents), change, texts::comparisonStatus(int(row.status))},
            csv::LineEnd::Lf);
    }
    QStringList total(11);
    total[0] = texts::comparisonTotal();
    if (amounts_) {
        total[7] = centsText(oldTotal);
        total[8] = centsText(newTotal);
        total[9] = centsText(newTotal - oldTotal);
    }
    csv::appendRecord(out, total, csv::LineEnd::Lf);
    return out;
}

}  // namespace veskplan
