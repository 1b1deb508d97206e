#pragma once

#include <QLocale>

#include "master/unit.h"

namespace veskplan {

class MasterSession;
class ProjectDocument;
class UserPort;
struct Configuration;

// The unit selector `engMet` and the loading of the master list it names.
class UnitSwitch {
public:
    enum class Choice { Loaded, Refused, NewProjectFirst };

    UnitSwitch(MasterSession& master, ProjectDocument& document, const Configuration& config,
               UserPort& port, QLocale locale)
        : master_(master),
          document_(document),
          config_(config),
          port_(port),
          locale_(std::move(locale)) {}

    // A pick in the selector, by the user or at start-up: loads the chosen list, unless the
    // project holds items taken from the other one. The user is then asked whether to start a
    // new project: No puts the selector back (Refused); Yes gives NewProjectFirst, and the
    // caller starts the new project, then calls `load`, or `putBack` when it did not go
    // through.
    Choice choose(int index);
    void load(int index);
    // The selector back on the list that is loaded, after a pick of `index`.
    void putBack(int index);
    // The unit stored in an opened project: loaded without any question.
    void chooseFromProject(Unit unit);

private:
    void loadList(Unit unit);

    MasterSession& master_;
    ProjectDocument& document_;
    const Configuration& config_;
    UserPort& port_;
    QLocale locale_;
};

}  // namespace veskplan
