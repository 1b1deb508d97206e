#pragma once

#include <QModelIndex>
#include <QObject>
#include <memory>

#include "project/projectgridmodel.h"
#include "project/projectgridorder.h"

namespace veskplan {

class RecordStore;

// The project grid's view state that the commands decide: the order its rows are shown in and
// the column the user works in. The grid shows shown(); rows outside this class are the
// store's. The column widths are the view's own and stay as the user set them.
class ProjectGridState : public QObject {
    Q_OBJECT

public:
    ProjectGridState(const RecordStore& store, ProjectGridModel& model);
    ~ProjectGridState();

    int currentColumn = ProjectGridModel::ItemNumberColumn;

    // The grid model's rows in the order the user chose: the model the view shows.
    ProjectGridOrder& shown() { return *shown_; }
    const ProjectGridOrder& shown() const { return *shown_; }
    IndexOrder order() const { return shown_->order(); }

    // A click on a column heading: "Item Number" orders by item number ("BridgeKey"), "Cat" by
    // category; a new order starts at the first row.
    void headingClicked(int column);
    // The working order ("PrimaryKey"), where a new project and every walk in the other order
    // leave the grid.
    void showWorkingOrder();
    // The column whose heading shows the order the grid is sorted in.
    int sortedColumn() const;

    // The store's row of a shown cell, -1 for none; the shown cell of a store row's column.
    int storeRow(const QModelIndex& shownCell) const;
    QModelIndex shownCell(int storeRow, int column) const;

Q_SIGNALS:
    // The column whose heading shows the order: told after each heading click (the header has
    // moved its own arrow to the clicked one) and whenever the grid goes back to its working
    // order.
    void sortColumnChanged(int column);

private:
    ProjectGridModel& model_;
    std::unique_ptr<ProjectGridOrder> shown_;
};

}  // namespace veskplan
