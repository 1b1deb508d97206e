#pragma once

#include <QAbstractProxyModel>
#include <vector>

#include "project/projectrecord.h"

namespace veskplan {

class RecordStore;

// The project grid's rows in the order the user chose, over the grid model's rows in the
// store's working order. Both orders are total (category, item number and description make the
// table's key), so a row's place follows from its record alone. A new order is a reset, as a
// new project is: the view starts again at its first row.
class ProjectGridOrder : public QAbstractProxyModel {
    Q_OBJECT

public:
    // `model` shows `store`'s rows in their working order.
    ProjectGridOrder(const RecordStore& store, QAbstractItemModel& model,
                     IndexOrder order = IndexOrder::PrimaryKey, QObject* parent = nullptr);

    IndexOrder order() const { return order_; }
    void setOrder(IndexOrder order);

    // The store's row of a shown row, -1 for none; the shown row of a store row, -1 for none.
    int storeRow(int shownRow) const;
    int shownRow(int storeRow) const;

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void rebuild();
    void renumber();
    // Where the store row belongs among the shown rows (the row itself not among them).
    int placeOf(int storeRow) const;

    const RecordStore& store_;
    IndexOrder order_ = IndexOrder::PrimaryKey;
    std::vector<int> toStore_;  // by shown row
    std::vector<int> toShown_;  // by store row
    int removing_ = -1;         // the store row about to go
};

}  // namespace veskplan
