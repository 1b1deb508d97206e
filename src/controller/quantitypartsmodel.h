#pragma once

#include <QAbstractTableModel>

namespace veskplan {

class QuantityImport;

// Where the quantity of one row of a take-off review comes from: a line for each line of the
// files read, with the file, its line, where it measures (sheet, station range, object), the
// quantity and unit as reported, and the quantity in the item's unit (empty when the unit does
// not convert).
class QuantityPartsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        FileColumn,
        LineColumn,
        WhereColumn,
        QuantityColumn,
        UnitColumn,
        ConvertedColumn,
        ColumnCount
    };

    explicit QuantityPartsModel(QuantityImport& review, QObject* parent = nullptr);

    // Shows the lines of the review's row, or none for -1 or a row the review lacks. The review
    // worked out anew shows none until a row is chosen again.
    void showRow(int row);
    int shownRow() const { return row_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QuantityImport& review_;
    int row_ = -1;
};

}  // namespace veskplan
