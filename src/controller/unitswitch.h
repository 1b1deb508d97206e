#pragma once

#include <QLocale>
#include <QObject>

#include "master/unit.h"

namespace veskplan {

class BusyIndicator;
class MasterSession;
class ProjectDocument;
class UserPort;
struct Configuration;

// The unit selector `engMet` and the loading of the master list it names. It says what the
// selector shows and the date of each list it loads.
class UnitSwitch : public QObject {
    Q_OBJECT

public:
    enum class Choice { Loaded, Refused, NewProjectFirst };

    UnitSwitch(MasterSession& master, ProjectDocument& document, const Configuration& config,
               UserPort& port, BusyIndicator& busy, QLocale locale)
        : master_(master),
          document_(document),
          config_(config),
          port_(port),
          busy_(busy),
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

Q_SIGNALS:
    // What the selector shows, after each of its commands.
    void unitChanged(Unit unit);
    // A list was loaded (or could not be read: the date is then empty).
    void listLoaded(const QString& revisionDate);

private:
    void loadList(Unit unit);

    MasterSession& master_;
    ProjectDocument& document_;
    const Configuration& config_;
    UserPort& port_;
    BusyIndicator& busy_;
    QLocale locale_;
};

}  // namespace veskplan
