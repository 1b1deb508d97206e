#include "takeoff/takeoffsum.h"

#include <map>

#include "takeoff/unitconversion.h"

namespace veskplan {
namespace {

// A sum as a person adds it: 0.1 + 0.2 is 0.3.
double decimal(double value) {
    return QString::number(value, 'g', 15).toDouble();
}

}  // namespace

void TakeoffSum::add(const TakeoffFile& file) {
    for (const TakeoffLine& line : file.lines()) {
        auto found = itemByWritten_.constFind(line.itemNumber);
        if (found == itemByWritten_.cend()) {
            // Every form of one number comes to one item.
            const int row = matcher_.rowOf(line.itemNumber);
            const QString number =
                row >= 0
                    ? withoutTrailingBlanks(matcher_.list().itemNumber(row)).trimmed().toString()
                    : line.itemNumber;
            const size_t index = row >= 0 ? itemByRow_.value(row, items_.size()) : items_.size();
            if (index == items_.size()) {
                items_.push_back(TakeoffItem{number, row, QString(), {}});
                if (row >= 0) {
                    itemByRow_.insert(row, index);
                }
            }
            found = itemByWritten_.insert(line.itemNumber, index);
        }
        TakeoffItem& item = items_[*found];
        if (item.description.isEmpty()) {
            item.description = line.description;
        }
        item.parts.push_back(TakeoffPart{file.shownName(), line.line, line.where, line.quantity,
                                         line.unit, line.categoryText});
    }
}

TakeoffSum::Total TakeoffSum::total(const std::vector<const TakeoffPart*>& parts,
                                    const QString& itemUnit) {
    std::map<QString, double> byUnit;
    for (const TakeoffPart* part : parts) {
        byUnit[part->unit] += part->quantity;
    }
    Total total;
    double converted = 0;
    bool converts = true;
    QStringList units;
    for (const auto& [unit, sum] : byUnit) {
        units.append(unit);
        const std::optional<unitconversion::Factor> factor = unitconversion::factor(unit, itemUnit);
        converts = converts && factor.has_value();
        if (factor) {
            converted += factor->apply(decimal(sum));
        }
    }
    if (converts) {
        total.converted = decimal(converted);
    }
    if (byUnit.size() == 1) {
        total.reported = decimal(byUnit.begin()->second);
        total.reportedUnit = byUnit.begin()->first;
    } else {
        total.reported = total.converted;
        total.reportedUnit = converts ? unitconversion::canonical(itemUnit) : units.join(u'+');
    }
    return total;
}

}  // namespace veskplan
