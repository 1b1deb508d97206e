#pragma once

#include <QStringView>

namespace veskplan {

class MasterList;

// Finding rows of the master list. Rows count from 0; -1 means none.
namespace mastersearch {

// The first row whose item number begins with the first four characters of `category`.
int firstOfCategory(const MasterList& list, QStringView category);

struct Outcome {
    int found = -1;           // the row found, or -1
    bool reachedEnd = false;  // the search examined the last (Find Next) or first row in vain
    int searchPosition = -1;  // the description search position afterwards
};

// Find Next: rows after `position` whose description contains `text` (case matters). A
// position on the last row starts again from the first; -1 is no position yet.
Outcome findNext(const MasterList& list, int position, QStringView text);

// Find Previous: rows before `position`; no position starts at the last row.
Outcome findPrevious(const MasterList& list, int position, QStringView text);

}  // namespace mastersearch
}  // namespace veskplan
