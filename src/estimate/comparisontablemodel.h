#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "estimate/comparisonreport.h"

namespace veskplan {

// The rows of a comparison as a table, in the report's order (the largest moves first), with
// the CSV's columns. Sorting is the view's: SortRole gives the numeric columns as numbers, an
// empty one as the least.
class ComparisonTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int SortRole = Qt::UserRole;
    static constexpr int kColumnCount = 11;

    using QAbstractTableModel::QAbstractTableModel;

    // Shows another report's changed rows (with `all` every row); the caller keeps it alive
    // while it is shown. None shows nothing.
    void setReport(const ComparisonReport* report, bool all = false);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const ComparisonReport* report_ = nullptr;
    std::vector<const ProjectComparison::Row*> rows_;
};

}  // namespace veskplan
