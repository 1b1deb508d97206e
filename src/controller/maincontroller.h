#pragma once

#include <QDate>
#include <QLocale>
#include <QObject>
#include <functional>
#include <memory>

#include "base/apppaths.h"
#include "base/configuration.h"
#include "base/environment.h"
#include "base/settingsstore.h"
#include "controller/cataloguecommands.h"
#include "controller/commandoutcome.h"
#include "controller/estimateediting.h"
#include "controller/exportcommands.h"
#include "controller/filecommands.h"
#include "controller/filedialogs.h"
#include "controller/historyimport.h"
#include "controller/masterbrowsing.h"
#include "controller/printcommand.h"
#include "controller/projectbinding.h"
#include "controller/projectcomparing.h"
#include "controller/projectediting.h"
#include "controller/quantityimport.h"
#include "controller/unitswitch.h"
#include "controller/viewrequests.h"
#include "files/recentprojects.h"
#include "files/recoverystate.h"
#include "files/workingcopy.h"
#include "master/mastersession.h"
#include "project/countylookup.h"
#include "project/projectdocument.h"

namespace veskplan {

class BusyIndicator;
class UserPort;

// The program without its windows: it makes every tool and wires them together. What reaches
// across tools lives here: the start-up, the unit switch that may first start a new project, and
// an Open that shows the catalogue report when the revision check found changes. Every other
// command is a tool's own.
class MainController : public QObject {
    Q_OBJECT

public:
    // Creates the working copy of the project. Throws Error when it cannot be created.
    MainController(UserPort& port, BusyIndicator& busy, Environment environment, QLocale locale,
                   std::function<QDate()> clock);
    ~MainController() override;

    // Configuration, an empty project, the English master list, and the offer of any unsaved
    // work a crashed run left behind.
    void start();

    // A pick in the unit selector: loads the other list, first starting a new project when the
    // project holds items.
    void switchUnit(Unit unit);

    // File > Open, and a project named on the command line, dropped on the window or picked
    // among the recent projects, opened as File > Open opens it.
    void openProject();
    void openProject(const QString& path);
    QStringList recentProjects() const { return recent_.paths(); }
    // The File > Recent Projects entry of the `number`th of them (from 1): an access key, the
    // file name (an older .mdb one marked as imported) and its folder.
    static QString recentProjectCaption(int number, const QString& path);

    // The tools and what the windows show.
    MasterBrowsing& browsing() { return browsing_; }
    CatalogueCommands& catalogue() { return *catalogue_; }
    PrintCommand& printing() { return print_; }
    ProjectEditing& editing() { return *editing_; }
    // The engineer's estimate, made when it is first asked for: until then no edit pays for
    // computing it.
    EstimateEditing& estimate();
    // The estimate as its window opens: priced from the bid history chosen in the File menu
    // (read again, so bids imported since count) unless the designer chose another there.
    EstimateEditing& openEstimate();
    // Edit > Engineer's Estimate: the estimate opened, and its window asked for.
    void showEstimate();
    // File > Exit: the window is asked to close once any unsaved work is saved or given up.
    void exit();
    const ProjectEditing& editing() const { return *editing_; }
    const MasterSession& master() const { return master_; }
    MasterGridModel& masterModel() { return master_.grid().model(); }
    ProjectDocument& document() { return *document_; }
    const ProjectDocument& document() const { return *document_; }
    // Save, Save As and the four exports.
    bool guardedCommandsEnabled() const { return document_->guardedCommandsEnabled(); }
    const Configuration& config() const { return config_; }
    const AppPaths& paths() const { return paths_; }
    // What the program keeps between runs, in the settings of `paths()`: every tool's and the
    // window's.
    SettingsStore& settings() { return settings_; }
    const QString& countyName() const { return county_.name(); }
    FileCommands& files() { return files_; }
    ExportCommands& exports() { return exports_; }
    UnitSwitch& units() { return units_; }
    HistoryImport& historyImport() { return historyImport_; }
    // File > Import Quantities and the review it shows.
    QuantityImport& quantityImport() { return *quantities_; }
    // File > Compare with Project: the comparison asked for, and its window once it is made.
    ProjectComparing& comparing() { return *comparing_; }
    void compareWithProject();
    // File > Import Bid History and File > Bid History: an open estimate follows, priced again
    // from what the history now holds.
    void importBidHistory();
    void chooseBidHistory();
    // File > Bid History > Connect to Server: the estimate opens, priced from the server.
    void connectToServer();
    ProjectBinding& binding() { return binding_; }
    // What the commands ask of the windows besides questions: focus, typing, windows of their own.
    ViewRequests& requests() { return requests_; }

Q_SIGNALS:
    // The start-up has run: everything the windows show is new.
    void started();

private:
    // After an Open whose revision check ran: the comparison, shown when it finds changes.
    void reportChangesAfterOpen();

    UserPort& port_;
    BusyIndicator& busy_;
    ViewRequests requests_;
    Environment env_;
    AppPaths paths_;
    SettingsStore settings_;
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
    std::unique_ptr<EstimateEditing> estimate_;
    HistoryImport historyImport_;
    std::unique_ptr<QuantityImport> quantities_;
    std::unique_ptr<ProjectComparing> comparing_;
};

}  // namespace veskplan
