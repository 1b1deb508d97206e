#include "controller/maincontroller.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

#include "base/configfile.h"
#include "base/error.h"
#include "controller/userport.h"
#include "controller/viewrequests.h"
#include "project/projecttexts.h"
#include "project/specialrows.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

MainController::MainController(UserPort& port, BusyIndicator& busy, Environment environment,
                               QLocale locale, std::function<QDate()> clock)
    : port_(port),
      busy_(busy),
      env_(std::move(environment)),
      paths_(AppPaths::resolve(env_)),
      settings_(paths_.settingsFile),
      locale_(std::move(locale)),
      today_(std::move(clock)),
      workingCopy_(std::make_unique<WorkingCopy>(paths_.tempDir)),
      document_(std::make_unique<ProjectDocument>(workingCopy_->createStore())),
      browsing_(master_, paths_.categoryFile(), port_, requests_),
      editing_(std::make_unique<ProjectEditing>(*document_, master_, browsing_, port_, requests_,
                                                locale_)),
      dialogs_(port_, QDir::currentPath()),
      county_(paths_.countyFile()),
      recent_(settings_),
      units_(master_, *document_, config_, port_, busy_, locale_),
      binding_(*document_, master_, *editing_, units_, port_, busy_, locale_),
      recovery_(*document_),
      files_(*document_, master_, *editing_, binding_, config_, paths_, dialogs_, recent_,
             recovery_, port_, busy_, requests_, locale_),
      exports_(*document_, master_, *editing_, config_, county_, editing_->gridState(), dialogs_,
               port_, busy_, requests_, paths_.seedWorkbook(), locale_),
      print_(*document_, editing_->gridState(), county_, dialogs_, port_, requests_, settings_,
             locale_, today_),
      catalogue_(std::make_unique<CatalogueCommands>(*document_, master_, *editing_, settings_,
                                                     dialogs_, port_, requests_)),
      historyImport_(port_, busy_, dialogs_, settings_, config_, paths_.userDataDir),
      quantities_(std::make_unique<QuantityImport>(*document_, master_, editing_->categoryBoxes(),
                                                   port_, busy_, requests_, paths_.userDataDir,
                                                   today_)),
      comparing_(std::make_unique<ProjectComparing>(*document_, dialogs_, port_, busy_,
                                                    ContingencyScale::fileIn(paths_.dataDir))) {
    connect(&recovery_, &RecoveryWriter::writeFailed, this,
            [this](const QString& message) { port_.warn(message); });
    connect(document_.get(), &ProjectDocument::historyEnded, this,
            [this](const QString& message) { port_.warn(message); });
}

MainController::~MainController() {
    // The store closes before its file goes.
    comparing_.reset();
    quantities_.reset();
    estimate_.reset();
    catalogue_.reset();
    editing_.reset();
    document_.reset();
}

void MainController::start() {
    const ConfigFile::ReadResult read = paths_.readConfiguration(env_);
    config_ = read.values;
    if (read.warning) {
        port_.warn(*read.warning);
    }
    document_->setFile(QString(), true);
    binding_.bind(specialrows::ProjectContents{}, false);
    master_.forgetLoadedUnit();
    units_.choose(indexOf(Unit::English));  // the project is empty: nothing is asked
    master_.setSearchPosition(-1);
    Q_EMIT requests_.focusRequested(u"itemCat"_s);
    document_->setModified(false);
    files_.offerRecovery(paths_.tempDir);
    Q_EMIT started();
}

void MainController::switchUnit(Unit unit) {
    const int index = indexOf(unit);
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

// The file tool tells the window the opened project first; the report window opens over it.
void MainController::openProject(const QString& path) {
    files_.openProject(path);
    reportChangesAfterOpen();
}

EstimateEditing& MainController::estimate() {
    if (!estimate_) {
        estimate_ = std::make_unique<EstimateEditing>(*document_, dialogs_, port_, busy_,
                                                      historyImport_.logins(), today_(), locale_);
        try {
            estimate_->setContingencyScale(
                ContingencyScale::read(ContingencyScale::fileIn(paths_.dataDir)));
        } catch (const Error& error) {
            port_.warn(error.message());
        }
    }
    return *estimate_;
}

EstimateEditing& MainController::openEstimate() {
    EstimateEditing& tool = estimate();
    tool.followHistory(historyImport_.historyFile());
    return tool;
}

void MainController::showEstimate() {
    openEstimate();
    Q_EMIT requests_.estimateWindowRequested();
}

void MainController::compareWithProject() {
    if (comparing_->compareWithChosenProject()) {
        Q_EMIT requests_.comparisonWindowRequested();
    }
}

void MainController::exit() {
    if (files_.exit()) {
        Q_EMIT requests_.quitApproved();
    }
}

void MainController::importBidHistory() {
    historyImport_.importBidFiles();
    if (estimate_) {
        estimate_->followHistory(historyImport_.historyFile());
    }
}

void MainController::chooseBidHistory() {
    historyImport_.chooseHistoryFile();
    if (estimate_) {
        estimate_->followHistory(historyImport_.historyFile());
    }
}

void MainController::connectToServer() {
    if (historyImport_.connectToServer()) {
        showEstimate();
    }
}

QString MainController::recentProjectCaption(int number, const QString& path) {
    const QFileInfo file(path);
    QString name = file.fileName();
    if (file.suffix().compare(u"mdb"_s, Qt::CaseInsensitive) == 0) {
        name = texts::importedName(name);
    }
    return u"&"_s + QString::number(number % 10) + u' ' + name + u"  ("_s +
           QDir::toNativeSeparators(file.absolutePath()) + u')';
}

void MainController::openProject() {
    files_.openProject();
    reportChangesAfterOpen();
}

void MainController::reportChangesAfterOpen() {
    binding_.tellRevisionCheck();
    if (binding_.takeRevisionChecked()) {
        catalogue_->checkAfterOpen();
    }
}

}  // namespace veskplan
