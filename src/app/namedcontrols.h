#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>

#include "app/apptexts.h"

namespace veskplan {

// A control named for tests and assistive tools, with the label that names it for the user and
// its tooltip as its description.
template <typename Widget>
Widget* named(Widget* widget, const QString& name, const QString& accessibleName,
              const QString& tooltip = QString()) {
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    if (!tooltip.isEmpty()) {
        widget->setToolTip(tooltip);
        widget->setAccessibleDescription(tooltip);
    }
    return widget;
}

// A push button of a tool window, named by its caption without the access key's "&" and the
// "..." of a command that asks more; Enter in the window's fields does not press it.
inline QPushButton* button(QWidget* parent, const QString& name, const texts::ButtonText& text) {
    using namespace Qt::Literals::StringLiterals;
    auto* created = named(new QPushButton(text.caption, parent), name,
                          QString(text.caption).remove(u'&').remove(u"..."_s), text.tooltip);
    created->setAutoDefault(false);
    return created;
}

// The label before a control, whose access key moves the focus to it.
inline QLabel* labelFor(QWidget* buddy, const QString& caption) {
    auto* label = new QLabel(caption, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

}  // namespace veskplan
