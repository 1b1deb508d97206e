#include "app/formkeys.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <memory>

#include "app/mainformwidgets.h"
#include "controller/maincontroller.h"

namespace veskplan {

FormKeys::FormKeys(MainController& controller, MainFormWidgets& widgets, QObject* parent)
    : QObject(parent), controller_(controller), w_(widgets) {
    // Only while the grid itself has the focus: in a cell being typed into, Delete deletes
    // text. The removal can be undone.
    auto* remove = new QAction(w_.projItemDB);
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetShortcut);
    w_.projItemDB->addAction(remove);
    connect(remove, &QAction::triggered, this,
            [this] { controller_.editing().removeCurrentItem(); });
    connect(qApp, &QApplication::focusChanged, this, &FormKeys::focusChanged);
    for (QPushButton* button : {w_.itemCat, w_.findNext, w_.findPrev, w_.addItem, w_.remItem,
                                w_.addCat, w_.printProjList}) {
        button->installEventFilter(this);
    }
    w_.projNum->installEventFilter(this);
}

// A paste that would make the project number longer than a file holds is refused with a
// message; the box's own check would refuse it without a word.
void FormKeys::pasteProjectNumber() {
    QLineEdit* box = w_.projNum;
    QString result = box->text();
    const int start = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    result.replace(start, box->selectedText().size(), QGuiApplication::clipboard()->text());
    if (controller_.editing().acceptPastedProjectNumber(result)) {
        box->paste();
    }
}

bool FormKeys::projectNumberEvent(QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        pasteProjectNumber();
        return true;
    }
    if (event->type() == QEvent::ContextMenu) {
        const std::unique_ptr<QMenu> menu(w_.projNum->createStandardContextMenu());
        // The box's own Paste, known by its caption (the shortcut follows a tab).
        for (QAction* action : menu->actions()) {
            if (action->text().section(u'\t', 0, 0) == QLineEdit::tr("&Paste")) {
                disconnect(action, &QAction::triggered, nullptr, nullptr);
                connect(action, &QAction::triggered, this, &FormKeys::pasteProjectNumber);
            }
        }
        menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return false;
}

// Arrow keys never move the focus from button to button: a Down after a pick followed by Enter
// would press whatever button lay below. While "Add to Project" holds the focus after a pick, the
// keys that move a grid's row move the master list's, so the pick can be corrected before Enter.
bool FormKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched == w_.projNum) {
        return projectNumberEvent(event) || QObject::eventFilter(watched, event);
    }
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (watched == w_.addItem) {
                QKeyEvent moved(QEvent::KeyPress, key->key(), key->modifiers());
                QApplication::sendEvent(w_.mastItemList, &moved);
            }
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
            return true;
        default:
            return QObject::eventFilter(watched, event);
    }
}

// The focus moves before the control that takes it acts: a click on "+" sees the new text.
void FormKeys::focusChanged(QWidget* old, QWidget* now) {
    const auto inBox = [this](const QWidget* widget) {
        return widget == w_.catDesc || w_.catDesc->isAncestorOf(widget);
    };
    if (old && inBox(old) && !inBox(now)) {
        controller_.editing().storeCategoryDescription();
    }
}

}  // namespace veskplan
