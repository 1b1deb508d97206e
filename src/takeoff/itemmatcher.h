#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

#include "master/masterlist.h"

namespace veskplan {

// Finds the master list row of an item number as a take-off writes it: in the list's own form,
// or, where only one item of the list fits, with the separators left out of both ("2105.0100010",
// "21050100010" and "2105 0100010" are "2105-0100010").
class ItemMatcher {
public:
    explicit ItemMatcher(const MasterList& list);

    // The row, or -1 when no item fits or several do.
    int rowOf(QStringView written) const;

    const MasterList& list() const { return list_; }

    // The letters and digits of an item number, in capitals.
    static QString withoutSeparators(QStringView number);

private:
    const MasterList& list_;
    QHash<QString, int> rowsWithoutSeparators_;  // -1 where several items give the same key
};

}  // namespace veskplan
