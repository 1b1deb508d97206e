#include "controller/quantityreviewmodel.h"

#include <QStringList>

#include <cmath>

#include "base/numbertext.h"
#include "controller/controllertexts.h"
#include "controller/quantityimport.h"
#include "takeoff/takeofftexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Row = TakeoffReview::Row;

const std::optional<double>* quantityOf(const Row& row, int column) {
    switch (column) {
        case QuantityReviewModel::TakeoffQuantityColumn:
            return &row.takeoffQuantity;
        case QuantityReviewModel::ProjectQuantityColumn:
            return &row.projectQuantity;
        case QuantityReviewModel::NewQuantityColumn:
            return &row.newQuantity;
        case QuantityReviewModel::LastImportColumn:
            return &row.lastImport;
        default:
            return nullptr;
    }
}

QString textOf(const Row& row, int column) {
    if (const std::optional<double>* quantity = quantityOf(row, column)) {
        return *quantity ? numbertext::shortest(**quantity) : QString();
    }
    switch (column) {
        case QuantityReviewModel::ItemNumberColumn:
            return row.itemNumber;
        case QuantityReviewModel::DescriptionColumn:
            return row.description;
        case QuantityReviewModel::UnitColumn:
            return row.unit;
        case QuantityReviewModel::TakeoffUnitColumn:
            return row.takeoffUnit;
        case QuantityReviewModel::StatusColumn:
            return TakeoffReview::statusText(row.status);
        default:
            return row.category;
    }
}

QString signedText(double value) {
    return (value > 0 ? u"+"_s : QString()) + numbertext::shortest(value);
}

// Old to new, the difference and the percent, for a quantity the take-off changes.
QString changeText(const Row& row) {
    if (row.status != TakeoffReview::Status::Changed || !row.newQuantity) {
        return {};
    }
    const double from = row.projectQuantity.value_or(0);
    const double difference = *row.newQuantity - from;
    return texts::quantityChange(
        numbertext::shortest(from), numbertext::shortest(*row.newQuantity), signedText(difference),
        from == 0 ? QString() : signedText(std::round(difference / from * 1000) / 10));
}

// The change, and the figure before the rounding rules where they changed it.
QString newQuantityTip(const Row& row) {
    QStringList lines{changeText(row)};
    if (row.unrounded && row.newQuantity && *row.unrounded != *row.newQuantity) {
        lines << texts::unroundedQuantity(numbertext::shortest(*row.unrounded));
    }
    lines.removeAll(QString());
    return lines.join(u'\n');
}

}  // namespace

QuantityReviewModel::QuantityReviewModel(QuantityImport& review, QObject* parent)
    : QAbstractTableModel(parent), review_(review) {
    connect(&review_, &QuantityImport::reviewChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(&review_, &QuantityImport::acceptanceChanged, this, [this] {
        if (rowCount() > 0) {
            Q_EMIT dataChanged(index(0, ItemNumberColumn), index(rowCount() - 1, ItemNumberColumn),
                               {Qt::CheckStateRole});
        }
    });
}

int QuantityReviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(review_.rows().size());
}

int QuantityReviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant QuantityReviewModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const Row& row = review_.rows()[index.row()];
    switch (role) {
        case Qt::DisplayRole:
            return textOf(row, index.column());
        case SortRole:
            if (const std::optional<double>* quantity = quantityOf(row, index.column())) {
                return quantity->value_or(-1);
            }
            return textOf(row, index.column());
        case Qt::ToolTipRole:
            return index.column() == NewQuantityColumn ? newQuantityTip(row) : QString();
        case Qt::CheckStateRole:
            if (index.column() == ItemNumberColumn && review_.canAccept(index.row())) {
                return review_.isAccepted(index.row()) ? Qt::Checked : Qt::Unchecked;
            }
            return {};
        default:
            return {};
    }
}

QVariant QuantityReviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    // The columns of the review CSV, with the last import's figure before the status.
    QStringList headings = texts::reviewCsvHeading().split(u',');
    headings.insert(LastImportColumn, texts::lastImportHeading());
    return headings.value(section);
}

Qt::ItemFlags QuantityReviewModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == ItemNumberColumn && review_.canAccept(index.row())) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

bool QuantityReviewModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !(flags(index) & Qt::ItemIsUserCheckable)) {
        return false;
    }
    review_.accept({index.row()}, value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

}  // namespace veskplan
