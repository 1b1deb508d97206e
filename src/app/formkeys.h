#pragma once

#include <QObject>

class QWidget;

namespace veskplan {

class MainController;
struct MainFormWidgets;

// What the main form's widgets give no signal for: Delete in the project grid removes the
// current item, the typed category description is stored the moment its box loses the focus,
// and the arrow keys on the form's buttons stay off the other buttons.
class FormKeys : public QObject {
    Q_OBJECT

public:
    FormKeys(MainController& controller, MainFormWidgets& widgets, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusChanged(QWidget* old, QWidget* now);

    MainController& controller_;
    MainFormWidgets& w_;
};

}  // namespace veskplan
