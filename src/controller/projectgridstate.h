#pragma once

#include "project/projectgridmodel.h"

namespace veskplan {

class RecordStore;

// The project grid's view state: the column the user works in and the column widths in twips.
struct ProjectGridState {
    int currentColumn = ProjectGridModel::ItemNumberColumn;
    ProjectGridModel::ColumnWidths columnWidths = ProjectGridModel::standardWidths();

    // A click on a column heading: "Item Number" orders by item number ("BridgeKey"), "Cat" by
    // category; every heading puts the column widths back and returns to the first row.
    void headingClicked(int column, RecordStore& store);

    // Back to the working order ("PrimaryKey") and the standard column widths, on the first
    // row: where every walk in the other order leaves the grid.
    void returnToWorkingOrder(RecordStore& store);
};

}  // namespace veskplan
