#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

namespace veskplan {

class BidPlot;
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

    QTableView* table() const { return table_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSettings(QGridLayout* grid);
    void settingsEdited();
    void refresh();
    // Copies the estimate's settings into their widgets, leaving alone one being typed in.
    void showSettings();
    // Widens the columns that are too narrow for what they hold, and with `shrink` narrows those
    // wider than that; the flags take what is left. Only the first fit shrinks, so that a
    // column the user widened stays so.
    void fitColumns(bool shrink = false);
    // Gives the flags the width the other columns leave, but never less than a flag or two
    // need, so that scrolling to them shows them; their tip shows them all.
    void fitFlags();
    void refreshChosen();
    // The estimate line of the table's current row, -1 when there is none.
    int currentLine() const;

    EstimateEditing& estimate_;
    QSortFilterProxyModel* filtered_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* sources_ = nullptr;
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
    QDoubleSpinBox* mobilization_ = nullptr;
    QDoubleSpinBox* contingency_ = nullptr;
    bool fitted_ = false;
};

}  // namespace veskplan
