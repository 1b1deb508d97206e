#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace veskplan {

class BidPlot;
class EstimateItemsView;
class EstimateEditing;

// The engineer's estimate window: the price sources and the window of bids, the items with
// their prices, amounts, evidence and flags (filterable, in the estimate's order until a column
// heading is clicked), the chosen item's bids plotted, and the subtotals, percentages and total
// always in view. Its settings widgets follow the estimate's settings wherever they change.
class EstimateWindow : public QWidget {
    Q_OBJECT

public:
    EstimateWindow(EstimateEditing& estimate, QWidget* parent = nullptr);
    ~EstimateWindow() override;

    QTableView* table() const;

protected:
    // Esc a control leaves unused closes the window, as it does a dialog; while sources are
    // read, it stops the reading first.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildSettings(QGridLayout* grid);
    void settingsEdited();
    void refresh();
    // Copies the estimate's settings into their widgets, leaving alone one being typed in.
    void showSettings();
    void refreshChosen();
    // The progress bar and Cancel while sources on a server are being read.
    void showReading(bool reading);
    // The estimate line of the table's current row, -1 when there is none.
    int currentLine() const;

    EstimateEditing& estimate_;
    QSortFilterProxyModel* filtered_ = nullptr;
    EstimateItemsView* table_ = nullptr;
    QLabel* sources_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QDateEdit* on_ = nullptr;
    QLineEdit* region_ = nullptr;
    QComboBox* bids_ = nullptr;
    QComboBox* statistic_ = nullptr;
    QCheckBox* escalate_ = nullptr;
    QLineEdit* filter_ = nullptr;
    BidPlot* plot_ = nullptr;
    QLabel* plotNote_ = nullptr;
    QLabel* evidence_ = nullptr;
    QLabel* totals_ = nullptr;
    QLabel* pricedFrom_ = nullptr;  // which histories priced it, as of when
    QDoubleSpinBox* mobilization_ = nullptr;
    QDoubleSpinBox* contingency_ = nullptr;
    QComboBox* milestone_ = nullptr;
};

}  // namespace veskplan
