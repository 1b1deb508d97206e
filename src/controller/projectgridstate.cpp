#include "controller/projectgridstate.h"

#include "project/recordstore.h"

namespace veskplan {

void ProjectGridState::headingClicked(int column, RecordStore& store) {
    if (column == ProjectGridModel::ItemNumberColumn) {
        store.setIndex(IndexOrder::BridgeKey);
    } else if (column == ProjectGridModel::CatColumn) {
        store.setIndex(IndexOrder::PrimaryKey);
    }
    columnWidths = ProjectGridModel::standardWidths();
}

void ProjectGridState::returnToWorkingOrder(RecordStore& store) {
    store.setIndex(IndexOrder::PrimaryKey);
    columnWidths = ProjectGridModel::standardWidths();
}

}  // namespace veskplan
