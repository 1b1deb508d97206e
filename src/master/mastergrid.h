#pragma once

#include "master/mastergridmodel.h"
#include "master/masterlist.h"

namespace veskplan {

// The master item list as its grid shows it: the rows and their model. Where anybody looks in
// it is theirs to keep.
class MasterGrid {
public:
    MasterGrid() { model_.setList(&list_); }
    MasterGrid(const MasterGrid&) = delete;
    MasterGrid& operator=(const MasterGrid&) = delete;

    const MasterList& list() const { return list_; }
    MasterGridModel& model() { return model_; }
    bool isRow(int row) const { return row >= 0 && row < list_.count(); }

    // Replaces the rows; the model tells its views of the reset.
    void replace(MasterList list) {
        model_.setList(nullptr);
        list_ = std::move(list);
        model_.setList(&list_);
    }

private:
    MasterList list_;
    MasterGridModel model_;
};

}  // namespace veskplan
