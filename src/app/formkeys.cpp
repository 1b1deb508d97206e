#include "app/formkeys.h"

#include <QApplication>
#include <QKeyEvent>

#include "app/gridediting.h"
#include "app/mainformwidgets.h"
#include "controller/maincontroller.h"

namespace veskplan {

FormKeys::FormKeys(MainController& controller, MainFormWidgets& widgets, QObject* parent)
    : QObject(parent), controller_(controller), w_(widgets) {
    for (QObject* watched :
         {static_cast<QObject*>(w_.itemSrch), static_cast<QObject*>(w_.srchStr),
          static_cast<QObject*>(w_.projItemDB), static_cast<QObject*>(w_.catDesc),
          static_cast<QObject*>(w_.catDesc->lineEdit())}) {
        watched->installEventFilter(this);
    }
}

bool FormKeys::searchKey(QObject* watched, QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (watched == w_.itemSrch) {
            controller_.itemSrch_Return();
        } else {
            controller_.srchStr_Return();
        }
        return true;
    }
    const QString text = key->text();
    // Only keys that type a character go through the filters; Tab and the other control keys
    // keep their usual meaning.
    if (text.size() != 1 || key->modifiers().testFlag(Qt::ControlModifier) ||
        (text.at(0).unicode() < 0x20 && text.at(0).unicode() != 8)) {
        return false;
    }
    char16_t code = text.at(0).unicode();
    const char16_t typed = code;
    if (watched == w_.itemSrch) {
        MainController::itemSrch_KeyPress(code);
    } else {
        MainController::srchStr_KeyPress(code);
    }
    if (code == 0) {
        return true;
    }
    if (code != typed) {
        static_cast<QLineEdit*>(watched)->insert(QString(QChar(code)));
        return true;
    }
    return false;
}

bool FormKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == w_.itemSrch || watched == w_.srchStr)) {
        return searchKey(watched, event);
    }
    // Delete in the grid removes the current item (it can be undone), unless a cell is being
    // typed into.
    if (event->type() == QEvent::KeyPress && watched == w_.projItemDB &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete && !isEditingCell(w_.projItemDB)) {
        controller_.remItem_Click();
        return true;
    }
    // The typed description is stored the moment the box loses the focus, before the control
    // that takes it acts (a click on "+" must not see the old text).
    if (event->type() == QEvent::FocusOut &&
        (watched == w_.catDesc || watched == w_.catDesc->lineEdit()) &&
        !w_.catDesc->isAncestorOf(QApplication::focusWidget())) {
        controller_.catDesc_LostFocus();
    }
    return false;
}

}  // namespace veskplan
