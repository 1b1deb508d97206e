#include "controller/projectgridstate.h"

#include "project/recordstore.h"

namespace veskplan {

void ProjectGridState::headingClicked(int column, RecordStore& store) {
    if (column == ProjectGridModel::ItemNumberColumn) {
        store.setIndex(IndexOrder::BridgeKey);
    } else if (column == ProjectGridModel::CatColumn) {
        store.setIndex(IndexOrder::PrimaryKey);
    }
}

void ProjectGridState::returnToWorkingOrder(RecordStore& store) {
    store.setIndex(IndexOrder::PrimaryKey);
}

int ProjectGridState::sortedColumn(const RecordStore& store) {
    return store.index() == IndexOrder::BridgeKey ? ProjectGridModel::ItemNumberColumn
                                                  : ProjectGridModel::CatColumn;
}

}  // namespace veskplan
