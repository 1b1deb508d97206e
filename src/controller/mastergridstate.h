#pragma once

#include <algorithm>

namespace veskplan {

// The master grid's rows that matter to the commands: the current row (the one adding takes) and
// the highlighted row. Rows count from 0; -1 means none. Which rows are in sight is the view's.
struct MasterGridState {
    // Rows a jump leaves visible below the found row before the view stops scrolling.
    static constexpr int kRowsBelowJump = 9;

    int currentRow = -1;
    int selectedRow = -1;

    // A new list: as in a grid filled row by row, the current row is left on the last row and
    // nothing is highlighted.
    void reset(int rowCount) {
        currentRow = rowCount - 1;
        selectedRow = -1;
    }
    // The first visible row that shows `row` at the top, except that the view never scrolls
    // further than the last rows allow.
    static int topRowShowing(int row, int rowCount) {
        const int lastTop = rowCount - 1 - kRowsBelowJump;
        return row > lastTop ? std::max(lastTop, 0) : row;
    }
};

}  // namespace veskplan
