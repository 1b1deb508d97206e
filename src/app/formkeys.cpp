#include "app/formkeys.h"

#include <QAction>
#include <QApplication>

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
