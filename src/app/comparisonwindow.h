#pragma once

#include <QDialog>

class QLabel;
class QSortFilterProxyModel;
class QTableView;

namespace veskplan {

class ProjectComparing;

// What changed from another project to this one: who is compared, the rows (those that move the
// total most first until a heading sorts them), and the estimate's totals of both, with Save As
// for the CSV, the workbook and the PDF. Esc closes it.
class ComparisonWindow : public QDialog {
    Q_OBJECT

public:
    explicit ComparisonWindow(ProjectComparing& comparing, QWidget* parent = nullptr);

    QTableView* table() const { return table_; }

private:
    void refresh();

    ProjectComparing& comparing_;
    QSortFilterProxyModel* sorted_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* heading_ = nullptr;
    QLabel* totals_ = nullptr;
};

}  // namespace veskplan
