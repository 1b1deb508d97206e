#pragma once

#include <algorithm>

namespace veskplan {

// The master grid's view state: its first visible row, the current row (the one adding takes)
// and the highlighted row. Rows count from 0; -1 means none. The window mirrors this and reports
// the user's scrolling and clicks back.
struct MasterGridState {
    // Rows a jump leaves visible below the found row before the view stops scrolling.
    static constexpr int kRowsBelowJump = 9;

    int topRow = -1;
    int currentRow = -1;
    int selectedRow = -1;

    // A new list: the view goes back to the top; as in a grid filled row by row, the current
    // row is left on the last row and nothing is highlighted.
    void reset(int rowCount) {
        topRow = rowCount > 0 ? 0 : -1;
        currentRow = rowCount - 1;
        selectedRow = -1;
    }
    // Scrolls so that `row` is the first visible row, except that the view never scrolls
    // further than the last rows allow.
    void scrollTo(int row, int rowCount) {
        const int lastTop = rowCount - 1 - kRowsBelowJump;
        topRow = row > lastTop ? std::max(lastTop, 0) : row;
    }
};

}  // namespace veskplan
