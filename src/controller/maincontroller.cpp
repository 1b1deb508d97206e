#include "controller/maincontroller.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <utility>

#include "base/configfile.h"
#include "base/numbertext.h"
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
      projectModel_(std::make_unique<ProjectGridModel>(document_->items(), locale_)),
      projectSelection_(std::make_unique<QItemSelectionModel>(projectModel_.get())),
      boxes_(*document_),
      dialogs_(port_, QDir::currentPath()),
      county_(paths_.countyFile()),
      recent_(paths_.settingsFile),
      units_(master_, *document_, config_, port_, locale_),
      binding_(*document_, master_, boxes_, grid_, units_, port_),
      recovery_(*document_),
      files_(*document_, master_, boxes_, binding_, config_, paths_, dialogs_, recent_, recovery_,
             port_, requests_, locale_),
      exports_(*document_, master_, config_, county_, grid_, dialogs_, port_, requests_,
               paths_.seedWorkbook(), locale_),
      print_(*document_, grid_, county_, port_, requests_, locale_, today_),
      report_(*document_, master_, paths_.settingsFile, dialogs_, port_),
      categories_(master_, paths_.categoryFile(), port_, requests_) {
    connect(document_.get(), &ProjectDocument::categoriesChanged, this,
            [this] { boxes_.followCategories(); });
    connect(document_.get(), &ProjectDocument::changeFailed, this,
            [this](const QString& reason) { port_.warn(reason); });
    connect(&recovery_, &RecoveryWriter::writeFailed, this,
            [this](const QString& message) { port_.warn(message); });
    // Where a change shows: the row it left its item at.
    connect(document_.get(), &ProjectDocument::itemTouched, this,
            [this](int row) { showProjectCell(row, grid_.currentColumn); });
    // A new order or a new project starts at the first row.
    connect(projectModel_.get(), &QAbstractItemModel::modelReset, this,
            [this] { showProjectCell(0, grid_.currentColumn); });
    projectModel_->setCellEditor([this](int row, int column, const QString& text) {
        Notify notify(*this);
        return editProjectCell(row, column, text);
    });
}

MainController::~MainController() {
    // The store closes before its file goes.
    projectSelection_.reset();
    projectModel_.reset();
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

void MainController::selectMasterRow(int row, bool focusAddItem) {
    MasterGrid& grid = master_.grid();
    grid.setCurrentRow(row);
    grid.selectRow(row);
    master_.setSrchPos(row);
    if (focusAddItem) {
        Q_EMIT requests_.focusRequested(u"addItem"_s);
    }
}

void MainController::showFound(const mastersearch::Outcome& outcome, const QString& endReached) {
    master_.setSrchPos(outcome.searchPosition);
    if (outcome.found >= 0) {
        master_.grid().setTopRow(outcome.found);
        selectMasterRow(outcome.found);
    } else if (outcome.reachedEnd) {
        port_.inform(endReached);
    }
}

void MainController::mastItemList_Click(int row) {
    Notify notify(*this);
    if (master_.grid().isRow(row)) {
        selectMasterRow(row);
    }
}

void MainController::mastItemList_DblClick() {
    Notify notify(*this);
    addCurrentMasterItem();
}

void MainController::mastItemList_RowColChange(int row) {
    Notify notify(*this);
    master_.grid().setCurrentRow(row);
}

void MainController::mastItemList_Scroll(int topRow) {
    Notify notify(*this);
    master_.grid().setTopRow(topRow);
}

void MainController::itemSrch_KeyPress(char16_t& key) {
    const bool digit = key >= u'0' && key <= u'9';
    if (!digit && key != u'-' && key != 8) {
        key = 0;
    }
}

void MainController::itemSrch_Change(const QString& text) {
    Notify notify(*this);
    master_.setItemSearchText(text);
    const int row = master_.list().firstRowStartingWith(text);
    if (row >= 0) {
        // The found row is the one "Add to Project" takes, as if it had been clicked; the
        // typing goes on.
        master_.grid().scrollTo(row);
        selectMasterRow(row, false);
    }
}

void MainController::itemSrch_Return() {
    Notify notify(*this);
    Q_EMIT requests_.focusRequested(u"addItem"_s);
}

void MainController::srchStr_Return() {
    findNext_Click();
}

void MainController::mnuEditFind_Click() {
    Notify notify(*this);
    Q_EMIT requests_.focusRequested(u"srchStr"_s);
}

void MainController::srchStr_KeyPress(char16_t& key) {
    if (key >= u'a' && key <= u'z') {
        key = static_cast<char16_t>(key - 32);
    }
}

void MainController::srchStr_Change(const QString& text) {
    Notify notify(*this);
    master_.setDescriptionSearchText(text);
}

void MainController::findNext_Click() {
    Notify notify(*this);
    showFound(
        mastersearch::findNext(master_.list(), master_.srchPos(), master_.descriptionSearchText()),
        texts::endOfMasterItems());
}

void MainController::findPrev_Click() {
    Notify notify(*this);
    showFound(mastersearch::findPrevious(master_.list(), master_.srchPos(),
                                         master_.descriptionSearchText()),
              texts::beginningOfMasterItems());
}

void MainController::itemCat_Click() {
    Notify notify(*this);
    categories_.browse();
}

void MainController::addCurrentMasterItem() {
    const MasterGrid& grid = master_.grid();
    const int row = grid.currentRow();
    if (!grid.isRow(row)) {
        return;  // an empty list has no current row
    }
    const MasterList& list = grid.list();
    const ProjectRecord record{list.itemNumber(row).toString(), boxes_.currentNumber(),
                               list.description(row).toString(), list.unit(row).toString(),
                               std::nullopt};
    using Kind = ProjectDocument::AddResult::Kind;
    const ProjectDocument::AddResult result = document_->addItem(record);
    switch (result.kind) {
        case Kind::AlreadyInCategory:
            showProjectCell(result.row, grid_.currentColumn);
            port_.inform(texts::itemAlreadyInCategory());
            return;
        case Kind::AlreadyInProject:
            port_.inform(texts::itemAlreadyInProject());
            break;
        case Kind::Failed:
            port_.inform(texts::itemNotAdded(result.reason));
            break;
        case Kind::Added:
            break;
    }
    grid_.currentColumn = ProjectGridModel::QuantityColumn;
    showProjectCell(result.kind == Kind::Added ? result.row : currentProjectRow(),
                    grid_.currentColumn);
    Q_EMIT requests_.focusRequested(u"projItemDB"_s);
}

void MainController::addItem_Click() {
    Notify notify(*this);
    addCurrentMasterItem();
}

void MainController::remItem_Click() {
    Notify notify(*this);
    document_->removeItem(currentProjectRow());
}

void MainController::projItemDB_HeadClick(int column) {
    Notify notify(*this);
    grid_.headingClicked(column, document_->items());
}

void MainController::projItemDB_RowColChange(int row, int column) {
    Notify notify(*this);
    if (column >= 0 && column < ProjectGridModel::kColumnCount) {
        grid_.currentColumn = column;
    }
    if (document_->items().isRow(row)) {
        showProjectCell(row, grid_.currentColumn);
    }
}

void MainController::projItemDB_ColumnResized(int column, int widthTwips) {
    if (column >= 0 && column < ProjectGridModel::kColumnCount && widthTwips > 0) {
        grid_.columnWidths[static_cast<size_t>(column)] = widthTwips;
    }
}

int MainController::currentProjectRow() const {
    const QModelIndex current = projectSelection_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void MainController::showProjectCell(int row, int column) {
    if (!document_->items().isRow(row)) {
        projectSelection_->clear();
        return;
    }
    const QModelIndex cell = projectModel_->index(row, column);
    if (cell != projectSelection_->currentIndex()) {
        projectSelection_->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    }
}

bool MainController::editProjectCell(int row, int column, const QString& text) {
    using Kind = ProjectDocument::EditResult::Kind;
    ProjectDocument::EditResult result;
    if (column == ProjectGridModel::QuantityColumn) {
        const auto parsed = numbertext::parseQuantity(text, locale_.decimalPoint().at(0));
        if (!parsed.valid) {
            port_.inform(texts::quantityNotANumber(text));
            return false;
        }
        result = document_->setQuantity(row, parsed.value);
    } else if (column == ProjectGridModel::DescriptionColumn) {
        result = document_->setFreeTextDescription(row, text);
    } else {
        return false;
    }
    switch (result.kind) {
        case Kind::Stored:
            return true;
        case Kind::AlreadyInProject:
            port_.inform(texts::itemAlreadyInProject());
            break;
        case Kind::Failed:
            port_.inform(texts::cellNotSaved(result.reason));
            break;
        case Kind::Refused:
            break;
    }
    return false;
}

void MainController::catNum_Click(int index) {
    Notify notify(*this);
    boxes_.selectNumber(index);
}

void MainController::catDesc_Click(int index) {
    Notify notify(*this);
    boxes_.selectDescription(index);
}

void MainController::catDesc_Change(const QString& text) {
    Notify notify(*this);
    boxes_.typeDescription(text);
}

void MainController::catDesc_LostFocus() {
    Notify notify(*this);
    boxes_.storeTypedDescription();
}

void MainController::addCat_Click() {
    Notify notify(*this);
    if (!boxes_.addCategory()) {
        port_.inform(texts::lastCategoryReached());
    }
}

void MainController::projNum_Change(const QString& text) {
    Notify notify(*this);
    document_->setProjectNumber(text);
}

void MainController::designer_Change(const QString& text) {
    Notify notify(*this);
    document_->setDesigner(text);
}

void MainController::letMonth_Click(int index) {
    Notify notify(*this);
    document_->setLettingMonth(index);
}

void MainController::mnuEditUndo_Click() {
    Notify notify(*this);
    Q_EMIT requests_.commitTypingRequested();
    document_->undo();
}

void MainController::mnuEditRedo_Click() {
    Notify notify(*this);
    Q_EMIT requests_.commitTypingRequested();
    document_->redo();
}

void MainController::openProject(const QString& path) {
    Notify notify(*this);
    files_.openProject(path);
    reportChangesAfterOpen();
}

void MainController::mnuFileNew_Click() {
    Notify notify(*this);
    files_.newProject();
}

void MainController::mnuFileOpen_Click() {
    Notify notify(*this);
    files_.openProject();
    reportChangesAfterOpen();
}

void MainController::reportChangesAfterOpen() {
    if (!binding_.takeRevisionChecked()) {
        return;
    }
    report_.run();
    const auto counts = report_.counts();
    if (counts[0] + counts[1] + counts[2] > 0) {
        showCatalogueReport();
    }
}

void MainController::mnuEditCheck_Click() {
    Notify notify(*this);
    Q_EMIT requests_.commitTypingRequested();
    report_.run();
    if (report_.findings().empty()) {
        port_.inform(texts::catalogueNothingFound());
        return;
    }
    showCatalogueReport();
}

void MainController::showCatalogueReport() {
    // The report window is modal and its commands come back here while this handler runs: the
    // main window must show the project as it is now, and each of those commands its change.
    Q_EMIT stateChanged();
    const auto restore =
        qScopeGuard([this, depth = std::exchange(notifyDepth_, 0)] { notifyDepth_ = depth; });
    Q_EMIT requests_.catalogueReportRequested();
}

void MainController::catalogueRow_DblClick(int row) {
    Notify notify(*this);
    const int projectRow = report_.projectRowOf(row);
    if (projectRow >= 0) {
        grid_.currentColumn = ProjectGridModel::ItemNumberColumn;
        showProjectCell(projectRow, grid_.currentColumn);
        Q_EMIT requests_.focusRequested(u"projItemDB"_s);
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
