#include "master/mastergridmodel.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

MasterGridModel::MasterGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void MasterGridModel::setList(const MasterList* list) {
    beginResetModel();
    list_ = list;
    endResetModel();
}

int MasterGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !list_ ? 0 : list_->count();
}

int MasterGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant MasterGridModel::data(const QModelIndex& index, int role) const {
    if (!list_ || !index.isValid() || index.row() >= list_->count() || role != Qt::DisplayRole) {
        return {};
    }
    const int row = index.row();
    switch (index.column()) {
        case 0:
            return list_->itemNumber(row).toString();
        case 1:
            return list_->description(row).toString();
        case 2:
            return list_->unit(row).toString();
        default:
            return {};
    }
}

QVariant MasterGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    static const QString headings[3] = {u"Item Number"_s, u"Description"_s, u"Units"_s};
    return section >= 0 && section < 3 ? QVariant(headings[section]) : QVariant();
}

Qt::ItemFlags MasterGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? (Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren)
                           : Qt::NoItemFlags;
}

}  // namespace veskplan
