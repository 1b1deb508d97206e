#pragma once

#include <QDate>
#include <QLocale>
#include <QObject>
#include <functional>
#include <memory>

#include "base/apppaths.h"
#include "base/configuration.h"
#include "base/environment.h"
#include "controller/cataloguecommands.h"
#include "controller/commandoutcome.h"
#include "controller/exportcommands.h"
#include "controller/filecommands.h"
#include "controller/filedialogs.h"
#include "controller/masterbrowsing.h"
#include "controller/printcommand.h"
#include "controller/projectbinding.h"
#include "controller/projectediting.h"
#include "controller/unitswitch.h"
#include "controller/viewrequests.h"
#include "files/recentprojects.h"
#include "files/recoverystate.h"
#include "files/workingcopy.h"
#include "master/mastersession.h"
#include "project/countylookup.h"
#include "project/projectdocument.h"

namespace veskplan {

class UserPort;

// The program without its windows: it makes every part and wires them together, and runs the
// commands that reach across tools (the start-up, the unit switch, the File and Export menus).
// Finding items, editing the project and the catalogue check are tools of their own.
class MainController : public QObject {
    Q_OBJECT

public:
    // Creates the working copy of the project. Throws Error when it cannot be created.
    MainController(UserPort& port, Environment environment, QLocale locale,
                   std::function<QDate()> clock);
    ~MainController() override;

    // Start-up: configuration, an empty project, the English master list, and the offer of
    // any unsaved work a crashed run left behind.
    void Form_Load();

    // A pick in the unit selector: loads the other list, first starting a new project when the
    // project holds items.
    void engMet_Click(int index);

    // File menu and closing.
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveas_Click();
    bool mnuFileExit_Click();
    bool Form_Unload();

    // A project named on the command line, dropped on the window or picked among the recent
    // projects, opened as File > Open opens it.
    void openProject(const QString& path);
    QStringList recentProjects() const { return recent_.paths(); }

    // Export menu and the "Print" button.
    CommandOutcome mnuExpTrans_Click();
    CommandOutcome mnuExpRCAD_Click();
    CommandOutcome mnuExpBCAD_Click();
    CommandOutcome mnuExpRCADexcel_Click();
    CommandOutcome printProjList_Click();

    // The tools and what the windows show.
    MasterBrowsing& browsing() { return browsing_; }
    CatalogueCommands& catalogue() { return *catalogue_; }
    PrintCommand& printing() { return print_; }
    ProjectEditing& editing() { return *editing_; }
    const ProjectEditing& editing() const { return *editing_; }
    const MasterSession& master() const { return master_; }
    MasterGridModel& masterModel() { return master_.grid().model(); }
    ProjectDocument& document() { return *document_; }
    const ProjectDocument& document() const { return *document_; }
    // Save, Save As and the four exports.
    bool guardedCommandsEnabled() const { return document_->guardedCommandsEnabled(); }
    // "Add to Project" takes the master grid's current row, so it needs one.
    bool addItemEnabled() const { return browsing_.currentRow() >= 0; }
    const Configuration& config() const { return config_; }
    const AppPaths& paths() const { return paths_; }
    const QString& countyName() const { return county_.name(); }
    FileCommands& files() { return files_; }
    ProjectBinding& binding() { return binding_; }
    // What the commands ask of the windows besides questions: focus, typing, windows of their own.
    ViewRequests& requests() { return requests_; }

Q_SIGNALS:
    void stateChanged();

private:
    // Emits stateChanged once when the outermost handler returns.
    class Notify {
    public:
        explicit Notify(MainController& controller);
        ~Notify();

    private:
        MainController& controller_;
    };

    // After an Open whose revision check ran: the comparison, shown when it finds changes.
    void reportChangesAfterOpen();

    UserPort& port_;
    ViewRequests requests_;
    Environment env_;
    AppPaths paths_;
    Configuration config_;
    QLocale locale_;
    std::function<QDate()> today_;
    std::unique_ptr<WorkingCopy> workingCopy_;

    MasterSession master_;
    std::unique_ptr<ProjectDocument> document_;
    MasterBrowsing browsing_;
    std::unique_ptr<ProjectEditing> editing_;
    FileDialogs dialogs_;
    CountyLookup county_;
    RecentProjects recent_;

    UnitSwitch units_;
    ProjectBinding binding_;
    RecoveryWriter recovery_;
    FileCommands files_;
    ExportCommands exports_;
    PrintCommand print_;
    std::unique_ptr<CatalogueCommands> catalogue_;
    int notifyDepth_ = 0;
};

}  // namespace veskplan
