#pragma once

#include <QStringView>

namespace veskplan {

class MasterList;

// Finding rows of the master list. Rows count from 1; 0 means not found.
namespace mastersearch {

// The first row whose item number begins with the first four characters of `category`.
int firstOfCategory(const MasterList& list, QStringView category);

struct Outcome {
    int found = 0;            // the row found, or 0
    bool reachedEnd = false;  // the search examined the last (Find Next) or first row in vain
    int searchPosition = 0;   // the description search position afterwards
};

// Find Next: rows after `position` whose description contains `text` (case matters). A
// position on the last row starts again from row 1.
Outcome findNext(const MasterList& list, int position, QStringView text);

// Find Previous: rows before `position`; no position starts at the last row.
Outcome findPrevious(const MasterList& list, int position, QStringView text);

}  // namespace mastersearch
}  // namespace veskplan
