#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

namespace veskplan {

// The editor of a quantity cell takes only what can make up a number: digits, a sign, the
// locale's decimal point or a point, an exponent, and the thousands commas the number reader
// skips. Letters are refused whether typed or pasted; a text that is still no number ("-",
// "1e") reaches the grid's model, which says so. Enter stores the typed quantity and goes on to
// the next row's quantity, as in a spreadsheet; a refused one leaves the cell current.
class QuantityDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit QuantityDelegate(QAbstractItemView* view);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QAbstractItemView* view_;
    mutable bool stored_ = false;
};

}  // namespace veskplan
