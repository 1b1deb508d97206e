#include "controller/quantitypartsmodel.h"

#include "base/numbertext.h"
#include "controller/controllertexts.h"
#include "controller/quantityimport.h"
#include "takeoff/unitconversion.h"

namespace veskplan {

QuantityPartsModel::QuantityPartsModel(QuantityImport& review, QObject* parent)
    : QAbstractTableModel(parent), review_(review) {
    connect(&review_, &QuantityImport::reviewChanged, this, [this] { showRow(-1); });
}

void QuantityPartsModel::showRow(int row) {
    beginResetModel();
    row_ = row >= 0 && row < static_cast<int>(review_.rows().size()) ? row : -1;
    endResetModel();
}

int QuantityPartsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || row_ < 0 ? 0 : static_cast<int>(review_.rows()[row_].parts.size());
}

int QuantityPartsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant QuantityPartsModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole) {
        return {};
    }
    const TakeoffReview::Row& row = review_.rows()[row_];
    const TakeoffPart& part = row.parts[static_cast<size_t>(index.row())];
    switch (index.column()) {
        case FileColumn:
            return part.file;
        case LineColumn:
            return QString::number(part.line);
        case WhereColumn:
            return part.where;
        case QuantityColumn:
            return numbertext::shortest(part.quantity);
        case UnitColumn:
            return part.unit;
        default: {
            const std::optional<unitconversion::Factor> factor =
                unitconversion::factor(part.unit, row.unit);
            // As a person works it out: 900 SF are 100 SY, not 99.99999999999999.
            return factor ? numbertext::shortest(
                                QString::number(factor->apply(part.quantity), 'g', 15).toDouble())
                          : QString();
        }
    }
}

QVariant QuantityPartsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return texts::takeoffPartHeadings().value(section);
}

}  // namespace veskplan
