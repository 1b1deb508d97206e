#pragma once

#include <algorithm>

#include "master/mastergridmodel.h"
#include "master/masterlist.h"

namespace veskplan {

// The master item list grid as state: the rows, the first visible row, the current row (the
// one adding takes) and the highlighted row. Rows count from 0; -1 means none. The window
// mirrors this and reports the user's scrolling and clicks back.
class MasterGrid {
public:
    // Rows a jump leaves visible below the found row before the view stops scrolling.
    static constexpr int kRowsBelowJump = 9;

    MasterGrid() { model_.setList(&list_); }
    MasterGrid(const MasterGrid&) = delete;
    MasterGrid& operator=(const MasterGrid&) = delete;

    const MasterList& list() const { return list_; }
    MasterGridModel& model() { return model_; }

    // Replaces the rows. The view goes back to the top; as in a grid filled row by row, the
    // current row is left on the last row and nothing is highlighted.
    void replace(MasterList list) {
        model_.setList(nullptr);
        list_ = std::move(list);
        model_.setList(&list_);
        topRow_ = list_.count() > 0 ? 0 : -1;
        currentRow_ = list_.count() - 1;
        selectedRow_ = -1;
    }

    int topRow() const { return topRow_; }
    int currentRow() const { return currentRow_; }
    int selectedRow() const { return selectedRow_; }
    bool isRow(int row) const { return row >= 0 && row < list_.count(); }

    // Scrolls so that `row` is the first visible row, except that the view never scrolls
    // further than the last rows allow.
    void scrollTo(int row) {
        const int lastTop = list_.count() - 1 - kRowsBelowJump;
        topRow_ = row > lastTop ? std::max(lastTop, 0) : row;
    }
    void setTopRow(int row) { topRow_ = row; }
    void setCurrentRow(int row) { currentRow_ = row; }
    void selectRow(int row) { selectedRow_ = row; }

private:
    MasterList list_;
    MasterGridModel model_;
    int topRow_ = -1;
    int currentRow_ = -1;
    int selectedRow_ = -1;
};

}  // namespace veskplan
