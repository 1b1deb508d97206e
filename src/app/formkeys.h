#pragma once

#include <QObject>

namespace veskplan {

class MainController;
struct MainFormWidgets;

// The keys and focus changes of the main form that mean more than their widget makes of them:
// the search boxes' key filters, Enter in the search boxes, Delete in the project grid, and the
// category description stored when its box loses the focus.
class FormKeys : public QObject {
    Q_OBJECT

public:
    FormKeys(MainController& controller, MainFormWidgets& widgets, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool searchKey(QObject* watched, QEvent* event);

    MainController& controller_;
    MainFormWidgets& w_;
};

}  // namespace veskplan
