#pragma once

#include <QObject>
#include <functional>

#include "master/unit.h"

namespace veskplan {

class MainController;
struct MainFormWidgets;

// The master list's half of the main form: the unit selector, the revision date, the grid, the
// two searches and their buttons, wired to the browsing tool. The window says when it is showing
// the state: the controls' own signals are then not the user's.
class MasterPane : public QObject {
    Q_OBJECT

public:
    using Showing = std::function<void(const std::function<void()>&)>;

    MasterPane(MainController& controller, MainFormWidgets& widgets, Showing showing,
               const bool& refreshing, QObject* parent);

    // The unit, the list's date and the current and highlighted rows; called while showing.
    void showAll();

private:
    void connectControls();
    void showUnit(Unit unit);
    void showRow(int current, int highlighted);
    void scrollTo(int topRow);

    MainController& controller_;
    MainFormWidgets& w_;
    Showing showing_;
    const bool& refreshing_;
};

}  // namespace veskplan
