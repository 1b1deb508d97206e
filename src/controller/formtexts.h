#pragma once

#include <QString>
#include <QStringList>

namespace veskplan {

// The words of the main form, by each control's or label's object name: its caption with its
// access key, its tooltip (also its description for screen readers) and the name screen readers
// give it. The window takes them from here; tests check the access keys without a display.
struct FormText {
    QString caption{};
    QString tooltip{};
    QString accessibleName{};  // a button's caption without its "&" unless given
};

FormText formText(const QString& name);
// Every object name that has words, in the form's reading order.
QStringList formTextNames();

// The controls of the main form in the order the Tab key visits them: down the column of search
// controls, the master grid, the form's rows in reading order, the project grid.
const QStringList& formTabOrder();

}  // namespace veskplan
