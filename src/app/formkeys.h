#pragma once

#include <QObject>

class QWidget;

namespace veskplan {

class MainController;
struct MainFormWidgets;

// What the main form's widgets give no signal for: Delete in the project grid removes the
// current item, the typed category description is stored the moment its box loses the focus,
// the arrow keys on the form's buttons stay off the other buttons, and a paste into the project
// number that does not fit is refused with a message.
class FormKeys : public QObject {
    Q_OBJECT

public:
    FormKeys(MainController& controller, MainFormWidgets& widgets, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusChanged(QWidget* old, QWidget* now);
    bool projectNumberEvent(QEvent* event);
    void pasteProjectNumber();

    MainController& controller_;
    MainFormWidgets& w_;
};

}  // namespace veskplan
