#pragma once

#include <QHash>
#include <QString>
#include <optional>
#include <vector>

#include "takeoff/itemmatcher.h"
#include "takeoff/takeofffile.h"

namespace veskplan {

// One line's share of an item's quantity: where it comes from and what it says.
struct TakeoffPart {
    QString file;  // as shown to the user
    int line = 0;
    QString where;
    double quantity = 0;
    QString unit;
    QString categoryText;
};

// The lines of one item across every file read, matched to the master list.
struct TakeoffItem {
    QString itemNumber;   // the list's form when matched, else as the first line writes it
    int masterRow = -1;   // -1 when the list has no such item
    QString description;  // the first line's that gives one
    std::vector<TakeoffPart> parts;
};

// The lines of take-off files gathered by item, every file adding to the items of the others.
// The master list it matches with must outlive it.
class TakeoffSum {
public:
    explicit TakeoffSum(const MasterList& list) : matcher_(list) {}

    void add(const TakeoffFile& file);
    // The items in the order their first lines came.
    const std::vector<TakeoffItem>& items() const { return items_; }

    // The sum of parts: as reported when they share a unit, and in `itemUnit` when every part's
    // unit converts to it exactly.
    struct Total {
        std::optional<double> reported;   // in `reportedUnit`; none for mixed units that do not
                                          // all convert
        QString reportedUnit;             // the parts' unit, or their units joined by "+"
        std::optional<double> converted;  // in the item's unit; none when a unit does not convert
    };
    static Total total(const std::vector<const TakeoffPart*>& parts, const QString& itemUnit);

private:
    ItemMatcher matcher_;
    std::vector<TakeoffItem> items_;
    QHash<QString, size_t> itemByWritten_;
    QHash<int, size_t> itemByRow_;
};

}  // namespace veskplan
