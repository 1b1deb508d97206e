#include "takeoff/itemmatcher.h"

namespace veskplan {

ItemMatcher::ItemMatcher(const MasterList& list) : list_(list) {
    rowsWithoutSeparators_.reserve(list.count());
    for (int row = 0; row < list.count(); ++row) {
        const QString key = withoutSeparators(list.itemNumber(row));
        if (key.isEmpty()) {
            continue;
        }
        const auto held = rowsWithoutSeparators_.constFind(key);
        if (held == rowsWithoutSeparators_.cend()) {
            rowsWithoutSeparators_.insert(key, row);
        } else if (list.itemNumber(*held).trimmed() != list.itemNumber(row).trimmed()) {
            rowsWithoutSeparators_[key] = -1;
        }
    }
}

QString ItemMatcher::withoutSeparators(QStringView number) {
    QString key;
    key.reserve(number.size());
    for (QChar c : number) {
        if (c.isLetterOrNumber()) {
            key.append(c.toUpper());
        }
    }
    return key;
}

int ItemMatcher::rowOf(QStringView written) const {
    const int exact = list_.rowOfNumber(written.trimmed());
    if (exact >= 0) {
        return exact;
    }
    return rowsWithoutSeparators_.value(withoutSeparators(written), -1);
}

}  // namespace veskplan
