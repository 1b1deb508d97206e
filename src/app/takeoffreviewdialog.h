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
class QuantityReviewModel;

// The review of quantities read from take-off reports: every item with what the take-off would
// do to it, sortable by its headings and narrowed by a text and a status. The designer accepts
// rows (Space, or the check of the item number) or all at once, picks where new items go, and
// applies what is accepted as one step.
class TakeoffReviewDialog : public QDialog {
    Q_OBJECT

public:
    TakeoffReviewDialog(QuantityImport& review, QWidget* parent = nullptr);

    QTableView* table() const { return table_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void showSummary();
    // The review's rows behind the chosen lines of the table (the current one when none is
    // chosen).
    std::vector<int> chosenRows() const;
    void toggleChosen();

    QuantityImport& review_;
    QuantityReviewModel* model_ = nullptr;
    QSortFilterProxyModel* byStatus_ = nullptr;
    QSortFilterProxyModel* byText_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QComboBox* status_ = nullptr;
    QComboBox* category_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* summary_ = nullptr;
};

}  // namespace veskplan
