#pragma once

#include <QLocale>
#include <QTableView>

namespace veskplan {

// The estimate's items, one row each, as dense as the main window's grids, in the estimate's
// own order until a column heading is clicked. Its columns are as wide as what they hold and
// the flags take the width the others leave.
class EstimateItemsView : public QTableView {
    Q_OBJECT

public:
    // `items` shows the estimate's table; `numbers` is the locale its counts are written in.
    EstimateItemsView(QAbstractItemModel* items, const QLocale& numbers, QWidget* parent);

    // Widens the columns that are too narrow for what they hold; the first fit also narrows
    // those wider than that, so that a column the user widened later stays so. The flags take
    // what is left.
    void fitColumns();

protected:
    bool viewportEvent(QEvent* event) override;

private:
    // Gives the flags the width the other columns leave, but never less than a flag or two
    // need, so that scrolling to them shows them; their tip shows them all.
    void fitFlags();

    // Room for a count with a thousands separator before the bids arrive, so that the columns
    // do not jump when a history is chosen.
    QString widestCount_;
    bool fitted_ = false;
};

}  // namespace veskplan
