#pragma once

#include <QAbstractTableModel>
#include <QLocale>
#include <functional>

#include "estimate/estimate.h"

namespace veskplan {

// The lines of an estimate as a table, in the estimate's own order (category, then item) as its
// files list them; the unit price and its note are the cells the designer types into. Sorting
// is the view's: SortRole gives the numbers of the numeric columns as numbers.
class EstimateTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        ItemNumberColumn,
        CategoryColumn,
        DescriptionColumn,
        UnitColumn,
        QuantityColumn,
        UnitPriceColumn,
        KindColumn,
        AmountColumn,
        BidsColumn,
        ContractsColumn,
        FlagsColumn,
        NoteColumn,
        kColumnCount
    };
    // Stores what was typed into the unit price or the note of the estimate line at `line`;
    // false when it was refused.
    using LineEditor = std::function<bool(int line, Column column, const QString& text)>;
    static constexpr int SortRole = Qt::UserRole;

    explicit EstimateTableModel(QLocale locale, QObject* parent = nullptr);

    // Shows another estimate, which the caller keeps alive while it is shown; the one shown
    // before must still be alive during the call.
    void setEstimate(const Estimate* estimate);
    void setLineEditor(LineEditor editor) { editor_ = std::move(editor); }
    const QLocale& locale() const { return locale_; }
    // The estimate line a row shows, and the row of a line; -1 when there is none.
    int lineAt(int row) const;
    int rowOf(int line) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    QString moneyText(qint64 cents) const;
    QString flagsText(const EstimateLine& line) const;
    static QVariant numberOf(const EstimateLine& line, int column);

    QLocale locale_;
    const Estimate* estimate_ = nullptr;
    LineEditor editor_;
};

}  // namespace veskplan
