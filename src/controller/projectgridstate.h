#pragma once

#include "project/projectgridmodel.h"

namespace veskplan {

class RecordStore;

// The project grid's view state that the commands decide: the column the user works in. The
// column widths are the view's own and stay as the user set them.
struct ProjectGridState {
    int currentColumn = ProjectGridModel::ItemNumberColumn;

    // A click on a column heading: "Item Number" orders by item number ("BridgeKey"), "Cat" by
    // category; the grid returns to the first row.
    void headingClicked(int column, RecordStore& store);

    // Back to the working order ("PrimaryKey"), on the first row: where every walk in the other
    // order leaves the grid.
    void returnToWorkingOrder(RecordStore& store);

    // The column whose heading shows the order the grid is sorted in.
    static int sortedColumn(const RecordStore& store);
};

}  // namespace veskplan
