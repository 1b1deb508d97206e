#pragma once

#include <QStringView>

namespace veskplan {

// Items of the free-text group, whose numbers begin with "2599": a category may hold one of them
// more than once, so adding and the checks before export do not refuse a repeat.
bool inFreeTextGroup(QStringView itemNumber);

// The free-text item "2599-9999" (any number that begins with it): the designer types its
// description, so two of its records are never merged into one line, and its description is the
// only one that may be edited. Editing and line merging ask the same question, so what can be
// typed and what the exports print as a line of its own always agree.
bool isTypedFreeTextItem(QStringView itemNumber);

// Whether an item is priced by what its description says rather than by its number: the items
// of the free-text group name many different works under few numbers, so bids and published
// prices count for one of them only where their description is the item's own.
bool pricedByDescription(QStringView itemNumber);

// Whether two descriptions name the same work: blanks around and between words and the case of
// letters aside.
bool sameDescription(QStringView a, QStringView b);

}  // namespace veskplan
