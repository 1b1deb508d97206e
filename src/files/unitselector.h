#pragma once

#include <QLocale>
#include <functional>

#include "master/unit.h"

namespace veskplan {

class MasterSession;
class ProjectDocument;
class UserPort;
struct Configuration;

// The unit selector `engMet` and the loading of the master list it names.
class UnitSelector {
public:
    // `newProject` runs the New Project command and tells whether it went through.
    UnitSelector(MasterSession& master, ProjectDocument& document, const Configuration& config,
                 UserPort& port, QLocale locale, std::function<bool()> newProject)
        : master_(master),
          document_(document),
          config_(config),
          port_(port),
          locale_(std::move(locale)),
          newProject_(std::move(newProject)) {}

    // A pick in the selector, by the user or at start-up (`engMet_Click`): loads the chosen
    // list, first asking to start a new project when the project holds items. A refusal puts
    // the selector back.
    void choose(int index);
    // The unit stored in an opened project: loaded without any question.
    void chooseFromProject(Unit unit);

private:
    void load(Unit unit);

    MasterSession& master_;
    ProjectDocument& document_;
    const Configuration& config_;
    UserPort& port_;
    QLocale locale_;
    std::function<bool()> newProject_;
};

}  // namespace veskplan
