#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QTableView;

namespace veskplan {

class CatalogueCommands;

// The "Check Against Master List" window: the catalogue comparison of the project, filtered by
// kind with a count for each, its replacements taken over per row or for all, saved as CSV or
// printed. A double click on a row selects that item in the project grid.
class CatalogueWindow : public QDialog {
    Q_OBJECT

public:
    explicit CatalogueWindow(CatalogueCommands& catalogue, QWidget* parent = nullptr);

    QTableView* table() const { return table_; }

private:
    void showCounts();
    void showMapping();
    int currentRow() const;

    CatalogueCommands& catalogue_;
    QComboBox* kinds_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* mapping_ = nullptr;
};

}  // namespace veskplan
