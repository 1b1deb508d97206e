#include "controller/projectgridstate.h"

#include "project/recordstore.h"

namespace veskplan {

ProjectGridState::ProjectGridState(const RecordStore& store, ProjectGridModel& model)
    : model_(model), shown_(std::make_unique<ProjectGridOrder>(store, model)) {}

ProjectGridState::~ProjectGridState() = default;

void ProjectGridState::headingClicked(int column) {
    if (column == ProjectGridModel::ItemNumberColumn) {
        shown_->setOrder(IndexOrder::BridgeKey);
    } else if (column == ProjectGridModel::CatColumn) {
        shown_->setOrder(IndexOrder::PrimaryKey);
    }
    Q_EMIT sortColumnChanged(sortedColumn());
}

void ProjectGridState::showWorkingOrder() {
    if (order() != IndexOrder::PrimaryKey) {
        shown_->setOrder(IndexOrder::PrimaryKey);
        Q_EMIT sortColumnChanged(sortedColumn());
    }
}

int ProjectGridState::sortedColumn() const {
    return order() == IndexOrder::BridgeKey ? ProjectGridModel::ItemNumberColumn
                                            : ProjectGridModel::CatColumn;
}

int ProjectGridState::storeRow(const QModelIndex& shownCell) const {
    return shownCell.isValid() ? shown_->storeRow(shownCell.row()) : -1;
}

QModelIndex ProjectGridState::shownCell(int storeRow, int column) const {
    return shown_->mapFromSource(model_.index(storeRow, column));
}

}  // namespace veskplan
