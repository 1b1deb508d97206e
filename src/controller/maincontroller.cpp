#include "controller/maincontroller.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

#include "base/configfile.h"
#include "base/texts.h"
#include "controller/userport.h"
#include "controller/viewrequests.h"
#include "project/specialrows.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

MainController::Notify::Notify(MainController& controller) : controller_(controller) {
    ++controller_.notifyDepth_;
}

MainController::Notify::~Notify() {
    if (--controller_.notifyDepth_ == 0) {
        Q_EMIT controller_.stateChanged();
    }
}

MainController::MainController(UserPort& port, Environment environment, QLocale locale,
                               std::function<QDate()> clock)
    : port_(port),
      env_(std::move(environment)),
      paths_(AppPaths::resolve(env_)),
      locale_(std::move(locale)),
      today_(std::move(clock)),
      workingCopy_(std::make_unique<WorkingCopy>(paths_.tempDir)),
      document_(std::make_unique<ProjectDocument>(workingCopy_->createStore())),
      browsing_(master_, paths_.categoryFile(), port_, requests_),
      editing_(std::make_unique<ProjectEditing>(*document_, master_, browsing_, port_, requests_,
                                                locale_)),
      dialogs_(port_, QDir::currentPath()),
      county_(paths_.countyFile()),
      recent_(paths_.settingsFile),
      units_(master_, *document_, config_, port_, locale_),
      binding_(*document_, master_, editing_->categoryBoxes(), editing_->gridState(), units_, port_,
               locale_),
      recovery_(*document_),
      files_(*document_, master_, editing_->categoryBoxes(), binding_, config_, paths_, dialogs_,
             recent_, recovery_, port_, requests_, locale_),
      exports_(*document_, master_, *editing_, config_, county_, editing_->gridState(), dialogs_,
               port_, requests_, paths_.seedWorkbook(), locale_),
      print_(*document_, editing_->gridState(), county_, dialogs_, port_, requests_,
             paths_.settingsFile, locale_, today_),
      catalogue_(std::make_unique<CatalogueCommands>(
          *document_, master_, *editing_, paths_.settingsFile, dialogs_, port_, requests_)) {
    connect(document_.get(), &ProjectDocument::changeFailed, this,
            [this](const QString& reason) { port_.warn(reason); });
    connect(&recovery_, &RecoveryWriter::writeFailed, this,
            [this](const QString& message) { port_.warn(message); });
}

MainController::~MainController() {
    // The store closes before its file goes.
    catalogue_.reset();
    editing_.reset();
    document_.reset();
}

void MainController::Form_Load() {
    Notify notify(*this);
    const ConfigFile::ReadResult read = paths_.readConfiguration(env_);
    config_ = read.values;
    if (!read.warning.isEmpty()) {
        port_.warn(read.warning);
    }
    document_->setFile(QString(), true);
    binding_.bind(specialrows::ProjectContents{}, false);
    master_.forgetLoadedUnit();
    units_.choose(indexOf(Unit::English));  // the project is empty: nothing is asked
    master_.setSrchPos(-1);
    Q_EMIT requests_.focusRequested(u"itemCat"_s);
    document_->setModified(false);
    files_.offerRecovery(paths_.tempDir);
}

void MainController::engMet_Click(int index) {
    Notify notify(*this);
    if (units_.choose(index) == UnitSwitch::Choice::NewProjectFirst) {
        // A new project that did not go through (its save was cancelled or failed) leaves the
        // selector on the list that is loaded.
        if (files_.newProject()) {
            units_.load(index);
        } else {
            units_.putBack(index);
        }
    }
}

void MainController::openProject(const QString& path) {
    {
        Notify notify(*this);
        files_.openProject(path);
    }
    reportChangesAfterOpen();
}

void MainController::mnuFileNew_Click() {
    Notify notify(*this);
    files_.newProject();
}

void MainController::mnuFileOpen_Click() {
    {
        Notify notify(*this);
        files_.openProject();
    }
    reportChangesAfterOpen();
}

void MainController::reportChangesAfterOpen() {
    // The window shows the opened project before the report window opens over it.
    if (binding_.takeRevisionChecked()) {
        catalogue_->checkAfterOpen();
    }
}

void MainController::mnuFileSave_Click() {
    Notify notify(*this);
    files_.save();
}

void MainController::mnuFileSaveas_Click() {
    Notify notify(*this);
    files_.saveAs();
}

bool MainController::mnuFileExit_Click() {
    Notify notify(*this);
    return files_.exit();
}

bool MainController::Form_Unload() {
    Notify notify(*this);
    return files_.closeWindow();
}

CommandOutcome MainController::mnuExpTrans_Click() {
    Notify notify(*this);
    return exports_.trnsport();
}

CommandOutcome MainController::mnuExpRCAD_Click() {
    Notify notify(*this);
    return exports_.cad(CadKind::RoadCad);
}

CommandOutcome MainController::mnuExpBCAD_Click() {
    Notify notify(*this);
    return exports_.cad(CadKind::BridgeCad);
}

CommandOutcome MainController::mnuExpRCADexcel_Click() {
    Notify notify(*this);
    return exports_.tabfill();
}

CommandOutcome MainController::printProjList_Click() {
    Notify notify(*this);
    return print_.run();
}

}  // namespace veskplan
