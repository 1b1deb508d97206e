#include "app/quantitydelegate.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

QWidget* QuantityDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        // Every prefix of a number passes, so typing is never blocked half-way.
        const QString decimalPoint = QRegularExpression::escape(parent->locale().decimalPoint());
        const QRegularExpression number(
            uR"(\s*[+-]?[0-9,]*(?:(?:\.|%1)[0-9]*)?(?:[eE][+-]?[0-9]*)?\s*)"_s.arg(decimalPoint),
            QRegularExpression::UseUnicodePropertiesOption);
        line->setValidator(new QRegularExpressionValidator(number, line));
        line->setAlignment(Qt::AlignRight | Qt::AlignVCenter);  // as the cell shows it
    }
    return editor;
}

}  // namespace veskplan
