#include "master/mastersearch.h"

#include <algorithm>

#include "master/masterlist.h"

namespace veskplan::mastersearch {

int firstOfCategory(const MasterList& list, QStringView category) {
    const QStringView code = category.left(4);
    for (int row = 0; row < list.count(); ++row) {
        if (list.itemNumber(row).left(4) == code) {
            return row;
        }
    }
    return -1;
}

Outcome findNext(const MasterList& list, int position, QStringView text) {
    const int last = list.count() - 1;
    Outcome outcome;
    outcome.searchPosition = position == last ? -1 : position;
    for (int row = outcome.searchPosition + 1; row <= last; ++row) {
        if (list.description(row).contains(text)) {
            outcome.found = row;
            outcome.searchPosition = row;
            return outcome;
        }
        outcome.reachedEnd = row == last;
    }
    return outcome;
}

Outcome findPrevious(const MasterList& list, int position, QStringView text) {
    const int last = list.count() - 1;
    Outcome outcome;
    outcome.searchPosition = position;
    const int start = position < 0 ? last : std::min(position - 1, last);
    for (int row = start; row >= 0; --row) {
        if (list.description(row).contains(text)) {
            outcome.found = row;
            outcome.searchPosition = row;
            return outcome;
        }
        outcome.reachedEnd = row == 0;
    }
    return outcome;
}

}  // namespace veskplan::mastersearch
