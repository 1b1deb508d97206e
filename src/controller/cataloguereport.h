#pragma once

#include <QAbstractTableModel>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "master/itemmapping.h"
#include "project/cataloguecheck.h"

namespace veskplan {

class FileDialogs;
class MasterSession;
class ProjectDocument;
class UserPort;

// What the "Check Against Master List" window shows and does: the findings of the project
// against the loaded master list (and the agency's item-mapping file, chosen once and kept in the
// program's own settings), filtered by kind, and the replacements the designer takes over, each
// taking over one undoable step. The window mirrors it; rows are the rows shown, counted from 0.
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
        ReplacementColumn,
        ColumnCount
    };

    CatalogueReport(ProjectDocument& document, const MasterSession& master, QString settingsFile,
                    FileDialogs& dialogs, UserPort& port, QObject* parent = nullptr);

    // Compares the project with the list again.
    void run();

    const std::vector<cataloguecheck::Finding>& findings() const { return findings_; }
    std::array<int, cataloguecheck::kKindCount> counts() const;
    // Only findings of one kind, or all of them.
    std::optional<Kind> filter() const { return filter_; }
    void setFilter(std::optional<Kind> kind);
    // The finding a shown row stands for.
    const cataloguecheck::Finding& shownFinding(int row) const;

    // The mapping file and what was wrong with it.
    QString mappingFile() const;
    QStringList mappingProblems() const;
    // Asks for the mapping file, keeps it, compares again.
    void chooseMappingFile();

    // Takes over the replacement of the shown row, or of every finding that has one (a retired
    // item's proposal, a changed unit or description), as one undoable step. Items that cannot
    // take it (the category holds the new number already) are told, the rest replaced.
    void replace(int row);
    void replaceAll();

    // The project grid's row of the item a shown row reports, -1 when it is gone.
    int projectRowOf(int row) const;

    // The report as CSV, asked for a file name; as text on the chosen printer.
    void saveCsv();
    void print();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // The findings the filter lets through become the shown rows.
    void chooseShown();
    void takeOver(const std::vector<const cataloguecheck::Finding*>& chosen);
    QString cell(const cataloguecheck::Finding& finding, int column) const;

    ProjectDocument& document_;
    const MasterSession& master_;
    QString settingsFile_;
    FileDialogs& dialogs_;
    UserPort& port_;
    ItemMapping mapping_;
    std::vector<cataloguecheck::Finding> findings_;
    std::vector<int> shown_;
    std::optional<Kind> filter_;
};

}  // namespace veskplan
