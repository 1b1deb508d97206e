#include "app/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenuBar>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QUrl>

#include "app/appicon.h"
#include "app/apptexts.h"
#include "app/cataloguewindow.h"
#include "app/categorywindow.h"
#include "app/estimatewindow.h"
#include "app/formkeys.h"
#include "app/gridcolumns.h"
#include "app/gridediting.h"
#include "app/projectgridclipboard.h"
#include "app/quantitydelegate.h"
#include "controller/controllertexts.h"
#include "controller/maincontroller.h"
#include "controller/viewrequests.h"
#include "controller/windowmenus.h"
#include "files/recentprojects.h"
#include "project/projecttexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

void setTextIfDifferent(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) {
        edit->setText(text);
    }
}

void setItemsIfDifferent(QComboBox* box, const QStringList& items) {
    QStringList current;
    for (int i = 0; i < box->count(); ++i) {
        current.append(box->itemText(i));
    }
    if (current != items) {
        box->clear();
        box->addItems(items);
    }
}

}  // namespace

MainWindow::MainWindow(MainController& controller, SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent), controller_(controller), settings_(settings) {
    setObjectName(QStringLiteral("mainForm"));
    setWindowIcon(applicationIcon());
    setAcceptDrops(true);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("mainFormClient"));
    setCentralWidget(client_);
    w_.build(*this, *client_, controller_.document().undoStack());
    counts_ = new QLabel(statusBar());
    counts_->setObjectName(u"projectCounts"_s);
    statusBar()->addWidget(counts_);

    w_.mastItemList->setModel(&controller_.masterModel());
    w_.projItemDB->setModel(&controller_.editing().gridState().shown());
    w_.projItemDB->setItemDelegateForColumn(ProjectGridModel::QuantityColumn,
                                            new QuantityDelegate(w_.projItemDB));
    w_.projItemDB->setSelectionModel(&controller_.editing().selection());
    gridcolumns::setUpMasterGrid(*w_.mastItemList);
    gridcolumns::setUpProjectGrid(*w_.projItemDB);
    showCounts();

    connectMaster();
    connectProject();
    connectMenus();
    new FormKeys(controller_, w_, this);
    new ProjectGridClipboard(controller_.editing(), *w_.projItemDB);
    // Each control follows the signal of what it shows; the start-up shows everything.
    connect(&controller_, &MainController::started, this, &MainWindow::refresh);
    connect(&controller_.units(), &UnitSwitch::unitChanged, this,
            [this](Unit unit) { showing([this, unit] { showUnit(unit); }); });
    // A list loaded anew: its date, and the rows the grid's reset has cleared.
    connect(&controller_.units(), &UnitSwitch::listLoaded, this, [this](const QString& date) {
        w_.mastRevDate->setText(date);
        showing([this] {
            showMasterRow(controller_.browsing().currentRow(),
                          controller_.browsing().gridState().selectedRow);
        });
    });
    connect(&controller_.browsing(), &MasterBrowsing::currentRowChanged, this,
            [this](int current, int highlighted) {
                showing([=, this] { showMasterRow(current, highlighted); });
            });
    // A heading clicked or the working order shown again: the arrow, and a new order's first row.
    connect(&controller_.editing(), &ProjectEditing::sortColumnChanged, this,
            [this](int column) { showing([this, column] { showOrder(column); }); });
    connect(&controller_.editing(), &ProjectEditing::categoriesChanged, this,
            [this] { showing([this] { showCategories(); }); });
    connectRequests();
    // The title follows the document: its name and its unsaved changes.
    const ProjectDocument& document = controller_.document();
    connect(&document, &ProjectDocument::fileChanged, this, &MainWindow::showTitle);
    connect(&document, &ProjectDocument::modifiedChanged, this, &QWidget::setWindowModified);
    showTitle();
    connect(&document, &ProjectDocument::headerChanged, this, [this] {
        showing([this] {
            showHeader();
            showGuardedCommands();
        });
    });
    connect(&document, &ProjectDocument::itemTouched, this, &MainWindow::showGuardedCommands);
    // The status bar counts the project's items and categories as they change.
    const ProjectGridModel& items = controller_.editing().model();
    for (const auto change :
         {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(&items, change, this, &MainWindow::showCounts);
    }
    // Rows all replaced: another project.
    connect(&items, &QAbstractItemModel::modelReset, this, [this] {
        showCounts();
        showing([this] { showOrder(); });
    });
    connect(&document, &ProjectDocument::categoriesChanged, this, &MainWindow::showCounts);
    // A first run opens large enough for fifteen rows of the project grid and more master rows
    // than the form had, within a 1280 x 800 screen.
    const int width = client_->minimumSizeHint().width() + 160;
    const int barsHeight = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    resize(width, barsHeight + w_.clientHeightShowingProjectRows(*client_, width, 15, 720));
    settings_.restore(*this, *w_.mastItemList, *w_.projItemDB);
    refresh();
}

void MainWindow::showTitle() {
    const ProjectDocument& document = controller_.document();
    setWindowTitle(document.displayName() + u"[*] - "_s + texts::mainCaption());
    setWindowModified(document.isModified());
    w_.projFileN->setText(QDir::toNativeSeparators(document.fileName()));
}

void MainWindow::connectRequests() {
    ViewRequests& requests = controller_.requests();
    connect(&requests, &ViewRequests::focusRequested, this, &MainWindow::requestFocus);
    connect(&requests, &ViewRequests::commitTypingRequested, this, &MainWindow::commitTyping);
    connect(&requests, &ViewRequests::masterTopRowRequested, this, &MainWindow::scrollMaster);
    connect(&requests, &ViewRequests::categoryBrowserRequested, this, [this] {
        if (!categoryWindow_ || categoryWindow_->closedByCloseBox()) {
            if (categoryWindow_) {
                categoryWindow_->deleteLater();
            }
            categoryWindow_ = new CategoryWindow(controller_.browsing().categories(), this);
        }
        categoryWindow_->exec();
    });
    connect(&controller_.catalogue(), &CatalogueCommands::windowRequested, this, [this] {
        CatalogueWindow window(controller_.catalogue(), this);
        window.exec();
    });
}

void MainWindow::showEstimate() {
    if (!estimateWindow_) {
        estimateWindow_ = new EstimateWindow(controller_.openEstimate(), this);
    } else {
        controller_.openEstimate();
    }
    estimateWindow_->show();
    estimateWindow_->raise();
    estimateWindow_->activateWindow();
}

void MainWindow::connectMaster() {
    connect(w_.engMet, &QComboBox::activated, this,
            [this](int index) { controller_.switchUnit(unitAt(index)); });
    connect(w_.mastItemList, &QTableView::clicked, this,
            [this](const QModelIndex& index) { controller_.browsing().pickRow(index.row()); });
    connect(w_.mastItemList, &QTableView::doubleClicked, this,
            [this] { controller_.editing().addCurrentMasterItem(); });
    connect(w_.mastItemList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!refreshing_ && current.isValid()) {
                    controller_.browsing().setCurrentRow(current.row());
                }
            });
    connect(w_.itemCat, &QPushButton::clicked, this,
            [this] { controller_.browsing().browseCategories(); });
    connect(w_.itemSrch, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!refreshing_) {
            controller_.browsing().jumpToItemNumber(text);
        }
    });
    connect(w_.srchStr, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!refreshing_) {
            controller_.browsing().setDescriptionSearch(text);
        }
    });
    connect(w_.itemSrch, &QLineEdit::returnPressed, this,
            [this] { controller_.browsing().itemSearchEntered(); });
    connect(w_.srchStr, &QLineEdit::returnPressed, this,
            [this] { controller_.browsing().findNext(); });
    connect(w_.findNext, &QPushButton::clicked, this,
            [this] { controller_.browsing().findNext(); });
    connect(w_.findPrev, &QPushButton::clicked, this,
            [this] { controller_.browsing().findPrevious(); });
}

void MainWindow::connectProject() {
    connect(w_.addItem, &QPushButton::clicked, this,
            [this] { controller_.editing().addCurrentMasterItem(); });
    connect(w_.remItem, &QPushButton::clicked, this,
            [this] { controller_.editing().removeCurrentItem(); });
    connect(w_.projItemDB->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { controller_.editing().sortByHeading(column); });
    connect(w_.projItemDB->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!refreshing_ && current.isValid()) {
                    ProjectEditing& editing = controller_.editing();
                    editing.setCurrentCell(editing.gridState().storeRow(current), current.column());
                }
            });
    connect(w_.projNum, &QLineEdit::textEdited, this,
            [this](const QString& text) { controller_.editing().setProjectNumber(text); });
    connect(w_.designer, &QLineEdit::textEdited, this,
            [this](const QString& text) { controller_.editing().setDesigner(text); });
    connect(w_.letMonth, &QComboBox::activated, this,
            [this](int index) { controller_.editing().setLettingMonth(index); });
    connect(w_.catNum, &QComboBox::activated, this,
            [this](int index) { controller_.editing().selectCategory(index); });
    connect(w_.catDesc, &QComboBox::activated, this,
            [this](int index) { controller_.editing().selectCategoryByDescription(index); });
    // Only what the user types is a change of the text: a pick in the list changes the text
    // too, while the box is still changing its entry, and must reach the controller as a pick.
    connect(w_.catDesc->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { controller_.editing().typeCategoryDescription(text); });
    connect(w_.addCat, &QPushButton::clicked, this,
            [this] { controller_.editing().addCategory(); });
    connect(w_.printProjList, &QPushButton::clicked, this,
            [this] { controller_.printing().run(); });
}

void MainWindow::connectMenus() {
    connect(w_.action(u"mnuFileNew"_s), &QAction::triggered, this,
            [this] { controller_.files().newProject(); });
    // Undo and Redo are the history's own actions. A value being typed into a cell is a step of
    // its own before either can be picked: the menu stores it as it opens (the cell editor
    // keeps the keys for its own text).
    connect(w_.menu(u"mnuEdit"_s), &QMenu::aboutToShow, this, &MainWindow::commitTyping);
    connect(w_.action(u"mnuEditFind"_s), &QAction::triggered, this,
            [this] { controller_.browsing().goToDescriptionSearch(); });
    connect(w_.action(u"mnuEditCheck"_s), &QAction::triggered, this,
            [this] { controller_.catalogue().check(); });
    connect(w_.action(u"mnuEditFindNext"_s), &QAction::triggered, this,
            [this] { controller_.browsing().findNext(); });
    connect(w_.action(u"mnuEditFindPrev"_s), &QAction::triggered, this,
            [this] { controller_.browsing().findPrevious(); });
    connect(w_.action(u"mnuEditEstimate"_s), &QAction::triggered, this, &MainWindow::showEstimate);
    connect(w_.action(u"mnuFilePrint"_s), &QAction::triggered, this,
            [this] { controller_.printing().run(); });
    connect(w_.action(u"mnuFilePdf"_s), &QAction::triggered, this,
            [this] { controller_.printing().exportPdf(); });
    connect(w_.action(u"mnuFileImportBids"_s), &QAction::triggered, this,
            [this] { controller_.importBidHistory(); });
    connect(w_.action(u"mnuFileBidHistory"_s), &QAction::triggered, this,
            [this] { controller_.chooseBidHistory(); });
    connect(w_.menu(u"mnuFileRecent"_s), &QMenu::aboutToShow, this,
            &MainWindow::refreshRecentProjects);
    // F10 opens the menu bar, as in the desktop's other programs.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(w_.menu(u"mnuFile"_s)->menuAction()); });
    connect(w_.action(u"mnuFileOpen"_s), &QAction::triggered, this,
            [this] { controller_.openProject(); });
    connect(w_.action(u"mnuFileSave"_s), &QAction::triggered, this,
            [this] { controller_.files().save(); });
    connect(w_.action(u"mnuFileSaveas"_s), &QAction::triggered, this,
            [this] { controller_.files().saveAs(); });
    for (const ExportFormat& format : exportFormats()) {
        connect(w_.action(format.menuName), &QAction::triggered, this,
                [this, id = format.id] { controller_.exports().exportAs(id); });
    }
    connect(w_.action(u"mnuFileExit"_s), &QAction::triggered, this, [this] {
        if (controller_.files().exit()) {
            closing_ = true;
            close();
        }
    });
}

void MainWindow::refresh() {
    showing([this] {
        const MasterSession& session = controller_.master();
        showUnit(unitAt(session.unitIndex()));
        w_.mastRevDate->setText(session.revisionText());
        showMasterRow(controller_.browsing().currentRow(),
                      controller_.browsing().gridState().selectedRow);
        showHeader();
        showOrder();
        showGuardedCommands();
        showCategories();
    });
}

void MainWindow::showing(const std::function<void()>& show) {
    {
        const QScopedValueRollback guard(refreshing_, true);
        show();
    }
    if (!refreshing_ && !pendingFocus_.isEmpty()) {
        requestFocus(std::exchange(pendingFocus_, QString()));
    }
}

void MainWindow::showCounts() {
    const ProjectDocument& document = controller_.document();
    counts_->setText(
        texts::projectCounts(document.items().recordCount(), document.categories().count()));
}

void MainWindow::requestFocus(const QString& controlName) {
    if (refreshing_) {
        pendingFocus_ = controlName;
    } else if (auto* widget = findChild<QWidget*>(controlName)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::commitTyping() {
    // Taking the focus from the cell editor makes the grid write the typed value.
    if (isEditingCell(w_.projItemDB)) {
        w_.projItemDB->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::refreshRecentProjects() {
    w_.menu(u"mnuFileRecent"_s)->clear();
    int number = 0;
    for (const QString& path : controller_.recentProjects()) {
        QAction* action =
            w_.menu(u"mnuFileRecent"_s)->addAction(recentProjectCaption(++number, path));
        connect(action, &QAction::triggered, this, [this, path] { controller_.openProject(path); });
    }
    w_.menu(u"mnuFileRecent"_s)->setEnabled(number > 0);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile()) {
        event->acceptProposedAction();
        controller_.openProject(urls.first().toLocalFile());
    }
}

void MainWindow::showUnit(Unit unit) {
    w_.engMet->setCurrentIndex(indexOf(unit));
}

void MainWindow::showMasterRow(int current, int highlighted) {
    QTableView* grid = w_.mastItemList;
    const QAbstractItemModel* model = grid->model();
    const auto isRow = [model](int row) { return row >= 0 && row < model->rowCount(); };
    // Which rows are in sight is asked for apart: making a row current scrolls nothing. A hidden
    // grid would scroll to its current row when first shown.
    if (grid->isVisible() && isRow(current)) {
        const int top = grid->verticalScrollBar()->value();
        grid->selectionModel()->setCurrentIndex(model->index(current, 0),
                                                QItemSelectionModel::NoUpdate);
        grid->verticalScrollBar()->setValue(top);
    }
    if (isRow(highlighted)) {
        grid->selectionModel()->select(
            model->index(highlighted, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        grid->selectionModel()->clearSelection();
    }
    w_.addItem->setEnabled(current >= 0);  // "Add to Project" takes the current row
}

void MainWindow::scrollMaster(int topRow) {
    w_.mastItemList->verticalScrollBar()->setValue(topRow);
}

void MainWindow::showHeader() {
    const HeaderFields& header = controller_.document().header();
    setTextIfDifferent(w_.projNum, header.projNum);
    setTextIfDifferent(w_.designer, header.designer);
    w_.letMonth->setCurrentIndex(header.letMonth);
}

void MainWindow::showGuardedCommands() {
    for (const WindowMenu& menu : windowMenus()) {
        for (const MenuEntry& entry : menu.entries) {
            if (entry.needsItems) {
                w_.action(entry.name)->setEnabled(controller_.guardedCommandsEnabled());
            }
        }
    }
}

void MainWindow::showOrder() {
    showOrder(controller_.editing().gridState().sortedColumn());
}

void MainWindow::showOrder(int sortedColumn) {
    QTableView* grid = w_.projItemDB;
    ProjectEditing& editing = controller_.editing();
    grid->horizontalHeader()->setSortIndicator(sortedColumn, Qt::AscendingOrder);
    // A grid whose rows were all replaced (a new order, another project) starts at its first
    // row: the view's reset has cleared the current cell.
    if (editing.currentRow() < 0 && !isEditingCell(grid)) {
        editing.showCell(editing.gridState().shown().storeRow(0),
                         editing.gridState().currentColumn);
    }
}

void MainWindow::showCategories() {
    const CategoryList& categories = controller_.document().categories();
    const CategoryBoxes& boxes = controller_.editing().categoryBoxes();
    setItemsIfDifferent(w_.catNum, categories.numbers());
    setItemsIfDifferent(w_.catDesc, categories.descriptions());
    w_.catNum->setCurrentIndex(boxes.numberIndex());
    w_.catDesc->setCurrentIndex(boxes.descriptionIndex());
    if (w_.catDesc->currentText() != boxes.descriptionText()) {
        w_.catDesc->setEditText(boxes.descriptionText());
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closing_ || controller_.files().closeWindow()) {
        settings_.save(*this, *w_.mastItemList, *w_.projItemDB);
        event->accept();
        return;
    }
    event->ignore();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    refresh();  // scroll positions take effect once the grids have their size
}

}  // namespace veskplan
