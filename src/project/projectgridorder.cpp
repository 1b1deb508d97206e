#include "project/projectgridorder.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "project/recordstore.h"

namespace veskplan {

ProjectGridOrder::ProjectGridOrder(const RecordStore& store, QAbstractItemModel& model,
                                   IndexOrder order, QObject* parent)
    : QAbstractProxyModel(parent), store_(store), order_(order) {
    QAbstractProxyModel::setSourceModel(&model);
    connect(&model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(&model, &QAbstractItemModel::modelReset, this, [this] {
        rebuild();
        endResetModel();
    });
    connect(&model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                for (int row = first; row <= last; ++row) {
                    // The rows after it in the store moved down by one.
                    for (int& stored : toStore_) {
                        stored += stored >= row ? 1 : 0;
                    }
                    const int at = placeOf(row);
                    beginInsertRows(QModelIndex(), at, at);
                    toStore_.insert(toStore_.begin() + at, row);
                    renumber();
                    endInsertRows();
                }
            });
    // The store removes one row at a time; a wider removal is taken as a reset.
    connect(&model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                if (first != last) {
                    beginResetModel();
                    return;
                }
                removing_ = first;
                const int at = shownRow(first);
                beginRemoveRows(QModelIndex(), at, at);
            });
    connect(&model, &QAbstractItemModel::rowsRemoved, this, [this] {
        if (removing_ < 0) {
            rebuild();
            endResetModel();
            return;
        }
        const int removed = std::exchange(removing_, -1);
        toStore_.erase(toStore_.begin() + shownRow(removed));
        for (int& stored : toStore_) {
            stored -= stored > removed ? 1 : 0;
        }
        renumber();
        endRemoveRows();
    });
    connect(&model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight,
                   const QList<int>& roles) {
                for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
                    Q_EMIT dataChanged(mapFromSource(topLeft.siblingAtRow(row)),
                                       mapFromSource(bottomRight.siblingAtRow(row)), roles);
                }
            });
    rebuild();
}

void ProjectGridOrder::setOrder(IndexOrder order) {
    if (order == order_) {
        return;
    }
    beginResetModel();
    order_ = order;
    rebuild();
    endResetModel();
}

void ProjectGridOrder::rebuild() {
    toStore_.resize(static_cast<size_t>(store_.recordCount()));
    std::iota(toStore_.begin(), toStore_.end(), 0);
    if (order_ != IndexOrder::PrimaryKey) {
        std::stable_sort(toStore_.begin(), toStore_.end(), [this](int a, int b) {
            return recordLess(order_, store_.record(a), store_.record(b));
        });
    }
    renumber();
}

void ProjectGridOrder::renumber() {
    toShown_.assign(toStore_.size(), -1);
    for (size_t shown = 0; shown < toStore_.size(); ++shown) {
        toShown_[static_cast<size_t>(toStore_[shown])] = static_cast<int>(shown);
    }
}

int ProjectGridOrder::placeOf(int storeRow) const {
    const ProjectRecord& record = store_.record(storeRow);
    const IndexOrder order = order_;
    const RecordStore& store = store_;
    const auto at = std::lower_bound(
        toStore_.begin(), toStore_.end(), storeRow,
        [&](int shown, int) { return recordLess(order, store.record(shown), record); });
    return static_cast<int>(at - toStore_.begin());
}

int ProjectGridOrder::storeRow(int shownRow) const {
    return shownRow >= 0 && shownRow < static_cast<int>(toStore_.size())
               ? toStore_[static_cast<size_t>(shownRow)]
               : -1;
}

int ProjectGridOrder::shownRow(int storeRow) const {
    return storeRow >= 0 && storeRow < static_cast<int>(toShown_.size())
               ? toShown_[static_cast<size_t>(storeRow)]
               : -1;
}

QModelIndex ProjectGridOrder::index(int row, int column, const QModelIndex& parent) const {
    return hasIndex(row, column, parent) ? createIndex(row, column) : QModelIndex();
}

QModelIndex ProjectGridOrder::parent(const QModelIndex&) const {
    return {};
}

int ProjectGridOrder::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(toStore_.size());
}

int ProjectGridOrder::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : sourceModel()->columnCount();
}

QModelIndex ProjectGridOrder::mapToSource(const QModelIndex& proxyIndex) const {
    const int row = proxyIndex.isValid() ? storeRow(proxyIndex.row()) : -1;
    return row < 0 ? QModelIndex() : sourceModel()->index(row, proxyIndex.column());
}

QModelIndex ProjectGridOrder::mapFromSource(const QModelIndex& sourceIndex) const {
    const int row = sourceIndex.isValid() ? shownRow(sourceIndex.row()) : -1;
    return row < 0 ? QModelIndex() : index(row, sourceIndex.column());
}

QVariant ProjectGridOrder::headerData(int section, Qt::Orientation orientation, int role) const {
    // The row headings are record selectors, the same for every row.
    return sourceModel()->headerData(section, orientation, role);
}

}  // namespace veskplan
