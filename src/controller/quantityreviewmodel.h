#pragma once

#include <QAbstractTableModel>

namespace veskplan {

class QuantityImport;

// The rows of a take-off review for a grid: one line per item and category, its acceptance the
// check of the item number. The sort role gives numbers for the quantity columns.
class QuantityReviewModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        ItemNumberColumn,
        DescriptionColumn,
        UnitColumn,
        TakeoffQuantityColumn,
        TakeoffUnitColumn,
        ProjectQuantityColumn,
        NewQuantityColumn,
        LastImportColumn,  // the take-off's figure at the project's last import
        StatusColumn,
        CategoryColumn,
        ColumnCount
    };
    static constexpr int SortRole = Qt::UserRole;

    explicit QuantityReviewModel(QuantityImport& review, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The check of the item number accepts the row or gives it back.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    QuantityImport& review_;
};

}  // namespace veskplan
