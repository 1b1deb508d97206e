#include "project/itemlines.h"

#include <algorithm>

#include "base/numbertext.h"
#include "project/freetextitem.h"

namespace veskplan::itemlines {

int categoryNumber(const QString& cat) {
    const double value = numbertext::leadingValue(cat);
    return static_cast<int>(std::clamp(value, -1e6, 1e6));
}

int highestCategory(const std::vector<ProjectRecord>& records) {
    int highest = 1;
    for (const ProjectRecord& record : records) {
        highest = std::max(highest, categoryNumber(record.cat));
    }
    return highest;
}

bool continuesLine(const QString& previousItemNumber, const ProjectRecord& record) {
    return record.itemNumber == previousItemNumber && !isTypedFreeTextItem(record.itemNumber);
}

std::vector<ItemLine> merge(const std::vector<ProjectRecord>& bridgeOrdered) {
    std::vector<ItemLine> lines;
    QString previous;
    for (const ProjectRecord& record : bridgeOrdered) {
        if (lines.empty() || !continuesLine(previous, record)) {
            lines.push_back(ItemLine{record, {}, 0.0});
        }
        ItemLine& line = lines.back();
        line.entries.push_back(ItemLine::Entry{categoryNumber(record.cat), record.quantity});
        if (record.quantity) {
            line.total += *record.quantity;
        }
        previous = record.itemNumber;
    }
    return lines;
}

}  // namespace veskplan::itemlines
