#include "app/mainwindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMenuBar>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QStatusBar>

#include "app/appicon.h"
#include "app/apptexts.h"
#include "app/cataloguewindow.h"
#include "app/categorywindow.h"
#include "app/comparisonwindow.h"
#include "app/estimatewindow.h"
#include "app/formkeys.h"
#include "app/gridcolumns.h"
#include "app/gridediting.h"
#include "app/masterpane.h"
#include "app/projectgridclipboard.h"
#include "app/quantitydelegate.h"
#include "app/takeoffreviewdialog.h"
#include "controller/controllertexts.h"
#include "controller/filecommands.h"
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

    w_.projItemDB->setModel(&controller_.editing().gridState().shown());
    w_.projItemDB->setItemDelegateForColumn(ProjectGridModel::QuantityColumn,
                                            new QuantityDelegate(w_.projItemDB));
    w_.projItemDB->setSelectionModel(&controller_.editing().selection());
    gridcolumns::setUpProjectGrid(*w_.projItemDB);
    showCounts();

    masterPane_ = new MasterPane(
        controller_, w_, [this](const std::function<void()>& show) { showing(show); }, refreshing_,
        this);
    connectProject();
    connectMenus();
    new FormKeys(controller_, w_, this);
    new ProjectGridClipboard(controller_.editing(), *w_.projItemDB);
    // Each control follows the signal of what it shows; the start-up shows everything.
    connect(&controller_, &MainController::started, this, &MainWindow::refresh);
    // A heading clicked or the working order shown again: the arrow, and a new order's first row.
    connect(&controller_.editing().gridState(), &ProjectGridState::sortColumnChanged, this,
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
    connect(&requests, &ViewRequests::categoryBrowserRequested, this, [this] {
        if (!categoryWindow_ || categoryWindow_->closedByCloseBox()) {
            if (categoryWindow_) {
                categoryWindow_->deleteLater();
            }
            categoryWindow_ = new CategoryWindow(controller_.browsing().categories(), this);
        }
        categoryWindow_->exec();
    });
    connect(&requests, &ViewRequests::estimateWindowRequested, this, &MainWindow::showEstimate);
    connect(&requests, &ViewRequests::quantityReviewRequested, this,
            &MainWindow::showQuantityReview);
    connect(&requests, &ViewRequests::comparisonWindowRequested, this, [this] {
        if (!comparisonWindow_) {
            comparisonWindow_ = new ComparisonWindow(controller_.comparing(), this);
        }
        comparisonWindow_->show();
        comparisonWindow_->raise();
        comparisonWindow_->activateWindow();
    });
    connect(&requests, &ViewRequests::quitApproved, this, [this] {
        closing_ = true;
        close();
    });
    connect(&controller_.catalogue(), &CatalogueCommands::windowRequested, this, [this] {
        CatalogueWindow window(controller_.catalogue(), this);
        window.exec();
    });
}

void MainWindow::showEstimate() {
    if (!estimateWindow_) {
        estimateWindow_ = new EstimateWindow(controller_.estimate(), this);
    }
    estimateWindow_->show();
    estimateWindow_->raise();
    estimateWindow_->activateWindow();
}

void MainWindow::showQuantityReview() {
    if (!reviewWindow_) {
        reviewWindow_ = new TakeoffReviewDialog(controller_.quantityImport(), this);
    }
    reviewWindow_->show();
    reviewWindow_->raise();
    reviewWindow_->activateWindow();
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
    for (const WindowMenu& menu : windowMenus()) {
        for (const MenuEntry& entry : menu.entries) {
            if (entry.run) {
                connect(w_.action(entry.name), &QAction::triggered, this,
                        [this, run = entry.run] { run(controller_); });
            }
        }
    }
    // Undo and Redo are the history's own actions. A value being typed into a cell is a step of
    // its own before either can be picked: the menu stores it as it opens (the cell editor
    // keeps the keys for its own text).
    connect(w_.menu(u"mnuEdit"_s), &QMenu::aboutToShow, this, &MainWindow::commitTyping);
    connect(w_.menu(u"mnuFileRecent"_s), &QMenu::aboutToShow, this,
            &MainWindow::refreshRecentProjects);
    // F10 opens the menu bar, as in the desktop's other programs.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(w_.menu(u"mnuFile"_s)->menuAction()); });
}

void MainWindow::refresh() {
    showing([this] {
        masterPane_->showAll();
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
        QAction* action = w_.menu(u"mnuFileRecent"_s)
                              ->addAction(MainController::recentProjectCaption(++number, path));
        connect(action, &QAction::triggered, this, [this, path] { controller_.openProject(path); });
    }
    w_.menu(u"mnuFileRecent"_s)->setEnabled(number > 0);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedProject(event->mimeData()->urls())) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (const auto project = droppedProject(event->mimeData()->urls())) {
        event->acceptProposedAction();
        controller_.openProject(*project);
    }
}

void MainWindow::showHeader() {
    const HeaderFields& header = controller_.document().header();
    setTextIfDifferent(w_.projNum, header.projNum);
    setTextIfDifferent(w_.designer, header.designer);
    w_.letMonth->setCurrentIndex(header.letMonth);
}

void MainWindow::showGuardedCommands() {
    for (const QString& name : guardedCommandNames()) {
        w_.action(name)->setEnabled(controller_.guardedCommandsEnabled());
    }
}

void MainWindow::showOrder() {
    showOrder(controller_.editing().gridState().sortedColumn());
}

void MainWindow::showOrder(int sortedColumn) {
    w_.projItemDB->horizontalHeader()->setSortIndicator(sortedColumn, Qt::AscendingOrder);
    if (!isEditingCell(w_.projItemDB)) {
        controller_.editing().startAtFirstRowIfNoneCurrent();
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
