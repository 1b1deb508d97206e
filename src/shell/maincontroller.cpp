#include "shell/maincontroller.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include "master/mastersearch.h"
#include "shell/configfile.h"
#include "shell/error.h"
#include "shell/sqlitedb.h"
#include "shell/texts.h"

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
    : ws_(port, std::move(environment), std::move(locale), std::move(clock)),
      categories_(ws_),
      header_(ws_),
      units_(ws_, [this] { return files_.mnuFileNew_Click(); }),
      binder_(ws_, categories_, header_, [this](int index) { units_.select(index); }),
      adder_(ws_),
      itemEditor_(ws_),
      files_(ws_, binder_, header_),
      trnsport_(ws_),
      cad_(ws_),
      tabfill_(ws_),
      print_(ws_) {}

MainController::~MainController() {
    ws_.projectModel.reset();
    ws_.store.reset();
    if (!ws_.workDb.isEmpty()) {
        QFile::remove(ws_.workDb);
    }
}

void MainController::createWorkingDatabase() {
    // A name of its own for every running copy, so two copies never share a working file.
    QDir().mkpath(ws_.paths.tempDir);
    QTemporaryFile reserve(joinPath(ws_.paths.tempDir, u"veskDataTmp-XXXXXX.vsk"_s));
    reserve.setAutoRemove(false);
    if (!reserve.open()) {
        throw Error(texts::workingDatabaseFailed(QDir::toNativeSeparators(reserve.fileTemplate()),
                                                 reserve.errorString()));
    }
    ws_.workDb = reserve.fileName();
    reserve.close();
    try {
        ws_.store = RecordStore::create(ws_.workDb);
    } catch (const SqliteError& error) {
        throw Error(
            texts::workingDatabaseFailed(QDir::toNativeSeparators(ws_.workDb), error.message()));
    }
    ws_.projectModel = std::make_unique<ProjectGridModel>(*ws_.store, ws_.locale);
    ws_.projectModel->setCellLock(
        [this](int row, int column) { return itemEditor_.isCellEditable(row, column); });
    ws_.projectModel->setCellEditor([this](int row, int column, const QString& text) {
        Notify notify(*this);
        return itemEditor_.editCell(row, column, text);
    });
}

void MainController::Form_Load() {
    Notify notify(*this);
    const ConfigFile config(ws_.paths.configFile);
    const ConfigFile::ReadResult read = config.read(ws_.paths.defaultConfiguration(ws_.env));
    ws_.config = read.values;
    if (!read.warning.isEmpty()) {
        ws_.port.showMessage(MessageRequest{read.warning, texts::appTitle(), MessageButtons::Ok,
                                            MessageIcon::Exclamation});
    }
    createWorkingDatabase();
    ws_.currentDir = QDir::currentPath();
    ws_.flags.projUntitled = true;
    ws_.flags.projSaved = true;
    binder_.setupGrid();
    ws_.guardedEnabled = false;
    ws_.mastUnitLoaded = 2;
    units_.select(0);
    ws_.srchPos = 0;
    ws_.port.setFocus(u"itemCat"_s);
    ws_.flags.projSaved = true;
}

void MainController::engMet_Click(int index) {
    Notify notify(*this);
    units_.select(index);
}

void MainController::selectMasterRow(int row) {
    ws_.master.setCurrentRow(row);
    ws_.master.selectRow(row);
    ws_.srchPos = row;
    ws_.port.setFocus(u"addItem"_s);
}

void MainController::mastItemList_Click(int row) {
    Notify notify(*this);
    if (row < 1 || row > ws_.master.list().count()) {
        return;
    }
    selectMasterRow(row);
}

void MainController::mastItemList_DblClick() {
    Notify notify(*this);
    adder_.addCurrentMasterItem();
}

void MainController::mastItemList_RowColChange(int row) {
    Notify notify(*this);
    ws_.master.setCurrentRow(row);
}

void MainController::mastItemList_Scroll(int topRow) {
    Notify notify(*this);
    ws_.master.setTopRow(topRow);
}

void MainController::itemSrch_KeyPress(char16_t& key) {
    const bool digit = key >= u'0' && key <= u'9';
    if (!digit && key != u'-' && key != 8) {
        key = 0;
    }
}

void MainController::itemSrch_Change(const QString& text) {
    Notify notify(*this);
    ws_.itemSrch = text;
    const int row = ws_.master.list().firstRowStartingWith(text);
    if (row > 0) {
        ws_.master.scrollTo(row);
    }
}

void MainController::srchStr_KeyPress(char16_t& key) {
    if (key >= u'a' && key <= u'z') {
        key = static_cast<char16_t>(key - 32);
    }
}

void MainController::srchStr_Change(const QString& text) {
    Notify notify(*this);
    ws_.srchStr = text;
}

void MainController::findNext_Click() {
    Notify notify(*this);
    const auto outcome = mastersearch::findNext(ws_.master.list(), ws_.srchPos, ws_.srchStr);
    ws_.srchPos = outcome.searchPosition;
    if (outcome.found > 0) {
        ws_.master.setTopRow(outcome.found);
        selectMasterRow(outcome.found);
    } else if (outcome.reachedEnd) {
        ws_.port.inform(texts::endOfMasterItems());
    }
}

void MainController::findPrev_Click() {
    Notify notify(*this);
    const auto outcome = mastersearch::findPrevious(ws_.master.list(), ws_.srchPos, ws_.srchStr);
    ws_.srchPos = outcome.searchPosition;
    if (outcome.found > 0) {
        ws_.master.setTopRow(outcome.found);
        selectMasterRow(outcome.found);
    } else if (outcome.reachedEnd) {
        ws_.port.inform(texts::beginningOfMasterItems());
    }
}

void MainController::itemCat_Click() {
    Notify notify(*this);
    ws_.port.showCategoryBrowser();
    const int row = mastersearch::firstOfCategory(ws_.master.list(), ws_.chosenCat);
    if (row > 0) {
        ws_.master.scrollTo(row);
    }
    ws_.chosenCat.clear();
}

const CategoryTree& MainController::getCat_Load() {
    if (!categoryTree_) {
        categoryTree_ = CategoryTree::read(ws_.paths.categoryFile());
        if (!categoryTree_->error.isEmpty()) {
            ws_.port.showMessage(MessageRequest{categoryTree_->error, texts::appTitle(),
                                                MessageButtons::Ok, MessageIcon::Exclamation});
        }
    }
    return *categoryTree_;
}

void MainController::catTree_NodeClick(const QString& nodeText) {
    ws_.chosenCat = nodeText;
}

bool MainController::catTree_DblClick() const {
    return CategoryTree::isCategory(ws_.chosenCat);
}

void MainController::getCat_Unload() {
    categoryTree_.reset();
}

void MainController::addItem_Click() {
    Notify notify(*this);
    adder_.addCurrentMasterItem();
}

void MainController::remItem_Click() {
    Notify notify(*this);
    itemEditor_.remItem_Click();
}

void MainController::projItemDB_HeadClick(int column) {
    Notify notify(*this);
    itemEditor_.projItemDB_HeadClick(column);
}

void MainController::projItemDB_RowColChange(int row, int column) {
    Notify notify(*this);
    if (row >= 0 && row < ws_.store->recordCount()) {
        ws_.store->setCurrentRow(row);
    }
    if (column >= 0 && column < ProjectGridModel::kColumnCount) {
        ws_.projectColumn = column;
    }
}

void MainController::catNum_Click(int index) {
    Notify notify(*this);
    categories_.catNum_Click(index);
}

void MainController::catDesc_Click(int index) {
    Notify notify(*this);
    categories_.catDesc_Click(index);
}

void MainController::catDesc_Change(const QString& text) {
    Notify notify(*this);
    categories_.catDesc_Change(text);
}

void MainController::catDesc_LostFocus() {
    Notify notify(*this);
    categories_.catDesc_LostFocus();
}

void MainController::addCat_Click() {
    Notify notify(*this);
    categories_.addCat_Click();
}

void MainController::projNum_Change(const QString& text) {
    Notify notify(*this);
    header_.projNum_Change(text);
}

void MainController::designer_Change(const QString& text) {
    Notify notify(*this);
    header_.designer_Change(text);
}

void MainController::letMonth_Click(int index) {
    Notify notify(*this);
    header_.letMonth_Click(index);
}

void MainController::mnuFileNew_Click() {
    Notify notify(*this);
    files_.mnuFileNew_Click();
}

void MainController::mnuFileOpen_Click() {
    Notify notify(*this);
    files_.mnuFileOpen_Click();
}

void MainController::mnuFileSave_Click() {
    Notify notify(*this);
    files_.mnuFileSave_Click();
}

void MainController::mnuFileSaveas_Click() {
    Notify notify(*this);
    files_.mnuFileSaveas_Click();
}

bool MainController::mnuFileExit_Click() {
    Notify notify(*this);
    return files_.mnuFileExit_Click();
}

bool MainController::Form_Unload() {
    Notify notify(*this);
    return files_.Form_Unload();
}

ExportOutcome MainController::mnuExpTrans_Click() {
    Notify notify(*this);
    return trnsport_.mnuExpTrans_Click();
}

ExportOutcome MainController::mnuExpRCAD_Click() {
    Notify notify(*this);
    return cad_.mnuExpRCAD_Click();
}

ExportOutcome MainController::mnuExpBCAD_Click() {
    Notify notify(*this);
    return cad_.mnuExpBCAD_Click();
}

ExportOutcome MainController::mnuExpRCADexcel_Click() {
    Notify notify(*this);
    return tabfill_.mnuExpRCADexcel_Click();
}

ExportOutcome MainController::printProjList_Click() {
    Notify notify(*this);
    return print_.printProjList_Click();
}

}  // namespace veskplan
