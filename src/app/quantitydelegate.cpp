#include "app/quantitydelegate.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaProperty>
#include <QRegularExpressionValidator>

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

QuantityDelegate::QuantityDelegate(QAbstractItemView* view)
    : QStyledItemDelegate(view), view_(view) {}

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

void QuantityDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    const QByteArray property = editor->metaObject()->userProperty().name();
    stored_ = model->setData(index, editor->property(property.constData()), Qt::EditRole);
}

bool QuantityDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const Qt::KeyboardModifiers others =
            key->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier);
        if (enter && !others) {
            const QModelIndex cell = view_->currentIndex();
            stored_ = false;
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            const QModelIndex below = cell.sibling(cell.row() + 1, cell.column());
            if (stored_ && below.isValid()) {
                view_->setCurrentIndex(below);
            }
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace veskplan
