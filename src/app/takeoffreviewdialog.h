#pragma once

#include <QDialog>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

namespace veskplan {

class QuantityImport;
class QuantityPartsModel;
class QuantityReviewModel;

// The review of quantities read from take-off reports: every item with what the take-off would
// do to it and what the project's last import gave it, sortable by its headings and narrowed by
// a text and a status; below, the lines of the files that make up the current row's quantity,
// and what is the same as at the last import. The designer accepts rows (Space, or the check of
// the item number) or all at once, picks where new items go, and applies what is accepted as
// one step.
class TakeoffReviewDialog : public QDialog {
    Q_OBJECT

public:
    TakeoffReviewDialog(QuantityImport& review, QWidget* parent = nullptr);

    QTableView* table() const { return table_; }
    // Where the quantity of the table's current row comes from.
    QTableView* parts() const { return parts_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void showSummary();
    // The review's rows behind the chosen lines of the table (the current one when none is
    // chosen).
    std::vector<int> chosenRows() const;
    // The review's row behind a line of the table.
    int reviewRow(const QModelIndex& index) const;
    void toggleChosen();

    QuantityImport& review_;
    QuantityReviewModel* model_ = nullptr;
    QSortFilterProxyModel* byStatus_ = nullptr;
    QSortFilterProxyModel* byText_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QComboBox* status_ = nullptr;
    QComboBox* category_ = nullptr;
    QTableView* table_ = nullptr;
    QuantityPartsModel* partsModel_ = nullptr;
    QTableView* parts_ = nullptr;
    QLabel* lastImport_ = nullptr;
    QLabel* summary_ = nullptr;
};

}  // namespace veskplan
