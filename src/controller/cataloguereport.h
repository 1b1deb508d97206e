#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "project/cataloguecheck.h"

namespace veskplan {

// The rows of the "Check Against Master List" window: the findings of the last comparison,
// filtered by kind. Rows are the rows shown, counted from 0.
class CatalogueReport : public QAbstractTableModel {
    Q_OBJECT

public:
    using Kind = cataloguecheck::Finding::Kind;
    enum Column {
        KindColumn,
        CategoryColumn,
        QuantityColumn,
        NumberColumn,
        DescriptionColumn,
        UnitColumn,
        ListNumberColumn,
        ListDescriptionColumn,
        ListUnitColumn,
        ProposedByColumn,
        ReplacementColumn,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setFindings(std::vector<cataloguecheck::Finding> findings);
    const std::vector<cataloguecheck::Finding>& findings() const { return findings_; }
    std::array<int, cataloguecheck::kKindCount> counts() const;
    // Only findings of one kind, or all of them.
    std::optional<Kind> filter() const { return filter_; }
    void setFilter(std::optional<Kind> kind);
    bool isShownRow(int row) const { return row >= 0 && row < rowCount(); }
    // The finding a shown row stands for.
    const cataloguecheck::Finding& shownFinding(int row) const;
    // A replacement from the closest description, which the designer confirms item by item.
    static bool isGuess(const cataloguecheck::Finding& finding);
    // The text of one field of a finding, as the window shows it.
    QString cell(const cataloguecheck::Finding& finding, int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // The findings the filter lets through become the shown rows.
    void chooseShown();

    std::vector<cataloguecheck::Finding> findings_;
    std::vector<int> shown_;
    std::optional<Kind> filter_;
};

}  // namespace veskplan
