#include "master/mastersearch.h"

#include <algorithm>

#include "master/masterlist.h"

namespace veskplan::mastersearch {

int firstOfCategory(const MasterList& list, QStringView category) {
    const QStringView code = category.left(4);
    for (int row = 1; row <= list.count(); ++row) {
        if (list.mastNum(row).left(4) == code) {
            return row;
        }
    }
    return 0;
}

Outcome findNext(const MasterList& list, int position, QStringView text) {
    const int count = list.count();
    Outcome outcome;
    outcome.searchPosition = position == count ? 0 : position;
    for (int row = outcome.searchPosition + 1; row <= count; ++row) {
        if (list.mastDesc(row).contains(text)) {
            outcome.found = row;
            outcome.searchPosition = row;
            return outcome;
        }
        outcome.reachedEnd = row == count;
    }
    return outcome;
}

Outcome findPrevious(const MasterList& list, int position, QStringView text) {
    const int count = list.count();
    Outcome outcome;
    outcome.searchPosition = position;
    const int start = position == 0 ? count : std::min(position - 1, count);
    for (int row = start; row >= 1; --row) {
        if (list.mastDesc(row).contains(text)) {
            outcome.found = row;
            outcome.searchPosition = row;
            return outcome;
        }
        outcome.reachedEnd = row == 1;
    }
    return outcome;
}

}  // namespace veskplan::mastersearch
