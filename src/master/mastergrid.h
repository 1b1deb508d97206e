#pragma once

#include "master/mastergridmodel.h"
#include "master/masterlist.h"

namespace veskplan {

// The master item list grid as state: the rows, the first visible row, the current row (the
// one adding takes) and the highlighted row. Rows count from 1; 0 means none. The window
// mirrors this and reports the user's scrolling and clicks back.
class MasterGrid {
public:
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
        topRow_ = list_.count() > 0 ? 1 : 0;
        currentRow_ = list_.count();
        selectedRow_ = 0;
    }

    int topRow() const { return topRow_; }
    int currentRow() const { return currentRow_; }
    int selectedRow() const { return selectedRow_; }

    // Scrolls so that `row` is the first visible row, except that the view never scrolls
    // further than the last nine rows allow.
    void scrollTo(int row) {
        const int lastTop = list_.count() - 9;
        topRow_ = row > lastTop ? std::max(lastTop, 1) : row;
    }
    void setTopRow(int row) { topRow_ = row; }
    void setCurrentRow(int row) { currentRow_ = row; }
    void selectRow(int row) { selectedRow_ = row; }

private:
    MasterList list_;
    MasterGridModel model_;
    int topRow_ = 0;
    int currentRow_ = 0;
    int selectedRow_ = 0;
};

}  // namespace veskplan
