#include "estimate/comparisontablemodel.h"

#include <limits>

#include "base/numbertext.h"
#include "estimate/estimate.h"
#include "project/projecttexts.h"

namespace veskplan {
namespace {

constexpr int kFirstNumber = 5;  // the old quantity; the status after the change is text again
constexpr int kStatus = 10;

std::optional<double> numberOf(const ProjectComparison& comparison,
                               const ProjectComparison::Row& row, int column) {
    const auto dollars = [](const std::optional<qint64>& cents) {
        return cents ? std::optional(double(*cents) / 100) : std::nullopt;
    };
    switch (column) {
        case 5:
            return row.oldQuantity;
        case 6:
            return row.newQuantity;
        case 7:
            return dollars(row.oldCents);
        case 8:
            return dollars(row.newCents);
        default:
            return comparison.comparesAmounts() ? row.change / 100 : row.change;
    }
}

QString textOf(const ProjectComparison& comparison, const ProjectComparison::Row& row, int column) {
    const auto cents = [](const std::optional<qint64>& value) {
        return value ? centsText(*value) : QString();
    };
    const auto quantity = [](const std::optional<double>& value) {
        return value ? numbertext::shortest(*value) : QString();
    };
    switch (column) {
        case 0:
            return row.itemNumber;
        case 1:
            return row.description;
        case 2:
            return row.unit;
        case 3:
            return row.oldCategory;
        case 4:
            return row.newCategory;
        case 5:
            return quantity(row.oldQuantity);
        case 6:
            return quantity(row.newQuantity);
        case 7:
            return cents(row.oldCents);
        case 8:
            return cents(row.newCents);
        case 9:
            return comparisonChangeText(comparison, row);
        default:
            return texts::comparisonStatus(int(row.status));
    }
}

}  // namespace

void ComparisonTableModel::setReport(const ComparisonReport* report, bool all) {
    beginResetModel();
    report_ = report;
    rows_ = report ? report->shownRows(all) : std::vector<const ProjectComparison::Row*>();
    endResetModel();
}

int ComparisonTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int ComparisonTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ComparisonTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const ProjectComparison& comparison = report_->comparison();
    const ProjectComparison::Row& row = *rows_[size_t(index.row())];
    const bool numeric = index.column() >= kFirstNumber && index.column() < kStatus;
    switch (role) {
        case Qt::DisplayRole:
            return textOf(comparison, row, index.column());
        case SortRole:
            if (numeric) {
                return numberOf(comparison, row, index.column())
                    .value_or(std::numeric_limits<double>::lowest());
            }
            return textOf(comparison, row, index.column());
        case Qt::TextAlignmentRole:
            return numeric ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
        default:
            return {};
    }
}

QVariant ComparisonTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return texts::comparisonCsvHeading().split(u',').at(section);
}

}  // namespace veskplan
