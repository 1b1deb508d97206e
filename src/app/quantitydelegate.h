#pragma once

#include <QStyledItemDelegate>

namespace veskplan {

// The editor of a quantity cell takes only what can make up a number: digits, a sign, the
// locale's decimal point or a point, an exponent, and the thousands commas the number reader
// skips. Letters are refused whether typed or pasted; a text that is still no number ("-",
// "1e") reaches the grid's model, which says so.
class QuantityDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};

}  // namespace veskplan
