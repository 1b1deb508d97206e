#pragma once

#include <QAbstractTableModel>
#include <QLocale>
#include <functional>

namespace veskplan {

class ProjectDocument;
class RecordStore;

// The project item grid: the five fields of the project table in the record store's working
// order. It follows every change of the store; edits go to one handler that decides whether
// they are allowed and stores them.
class ProjectGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { ItemNumberColumn, CatColumn, DescriptionColumn, UnitsColumn, QuantityColumn };
    static constexpr int kColumnCount = 5;

    // Stores a typed cell text; returns false when the text was refused (the cell keeps its
    // value).
    using CellEditor = std::function<bool(int row, int column, const QString& text)>;

    ProjectGridModel(RecordStore& store, QLocale locale, QObject* parent = nullptr);

    void setCellEditor(CellEditor editor) { editor_ = std::move(editor); }
    // Shows which quantities the document marks for review.
    void followReviews(const ProjectDocument& document);
    // Typing into the grid: only "Quantity", and "Description" of the free-text item, take it.
    bool isCellEditable(int row, int column) const;

    // The text a quantity shows in the grid and in its editor.
    QString quantityText(double value) const;
    // These rows as a spreadsheet takes them: a line of headings, then one line a row, the
    // columns apart by tabs, each cell as the grid shows it without its trailing blanks.
    QString rowsAsText(const QList<int>& rows) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    RecordStore& store_;
    QLocale locale_;
    CellEditor editor_;
    const ProjectDocument* reviewed_ = nullptr;
};

}  // namespace veskplan
