#include "app/masterpane.h"

#include <QScrollBar>
#include <utility>

#include "app/gridcolumns.h"
#include "app/mainformwidgets.h"
#include "controller/maincontroller.h"
#include "controller/viewrequests.h"

namespace veskplan {

MasterPane::MasterPane(MainController& controller, MainFormWidgets& widgets, Showing showing,
                       const bool& refreshing, QObject* parent)
    : QObject(parent),
      controller_(controller),
      w_(widgets),
      showing_(std::move(showing)),
      refreshing_(refreshing) {
    w_.mastItemList->setModel(&controller_.masterModel());
    gridcolumns::setUpMasterGrid(*w_.mastItemList);
    connectControls();
    connect(&controller_.units(), &UnitSwitch::unitChanged, this,
            [this](Unit unit) { showing_([this, unit] { showUnit(unit); }); });
    // A list loaded anew: its date, and the rows the grid's reset has cleared.
    connect(&controller_.units(), &UnitSwitch::listLoaded, this, [this](const QString& date) {
        w_.mastRevDate->setText(date);
        showing_([this] {
            showRow(controller_.browsing().currentRow(),
                    controller_.browsing().gridState().selectedRow);
        });
    });
    connect(&controller_.browsing(), &MasterBrowsing::currentRowChanged, this,
            [this](int current, int highlighted) {
                showing_([=, this] { showRow(current, highlighted); });
            });
    connect(&controller_.requests(), &ViewRequests::masterTopRowRequested, this,
            &MasterPane::scrollTo);
}

void MasterPane::connectControls() {
    MasterBrowsing& browsing = controller_.browsing();
    connect(w_.engMet, &QComboBox::activated, this,
            [this](int index) { controller_.switchUnit(unitAt(index)); });
    connect(w_.mastItemList, &QTableView::clicked, this,
            [&browsing](const QModelIndex& index) { browsing.pickRow(index.row()); });
    connect(w_.mastItemList, &QTableView::doubleClicked, this,
            [this] { controller_.editing().addCurrentMasterItem(); });
    connect(w_.mastItemList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, &browsing](const QModelIndex& current) {
                if (!refreshing_ && current.isValid()) {
                    browsing.setCurrentRow(current.row());
                }
            });
    connect(w_.itemCat, &QPushButton::clicked, &browsing, &MasterBrowsing::browseCategories);
    connect(w_.itemSrch, &QLineEdit::textChanged, this, [this, &browsing](const QString& text) {
        if (!refreshing_) {
            browsing.jumpToItemNumber(text);
        }
    });
    connect(w_.srchStr, &QLineEdit::textChanged, this, [this, &browsing](const QString& text) {
        if (!refreshing_) {
            browsing.setDescriptionSearch(text);
        }
    });
    connect(w_.itemSrch, &QLineEdit::returnPressed, &browsing, &MasterBrowsing::itemSearchEntered);
    connect(w_.srchStr, &QLineEdit::returnPressed, &browsing, &MasterBrowsing::findNext);
    connect(w_.findNext, &QPushButton::clicked, &browsing, &MasterBrowsing::findNext);
    connect(w_.findPrev, &QPushButton::clicked, &browsing, &MasterBrowsing::findPrevious);
}

void MasterPane::showAll() {
    const MasterSession& session = controller_.master();
    showUnit(unitAt(session.unitIndex()));
    w_.mastRevDate->setText(session.revisionText());
    showRow(controller_.browsing().currentRow(), controller_.browsing().gridState().selectedRow);
}

void MasterPane::showUnit(Unit unit) {
    w_.engMet->setCurrentIndex(indexOf(unit));
}

void MasterPane::showRow(int current, int highlighted) {
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

void MasterPane::scrollTo(int topRow) {
    w_.mastItemList->verticalScrollBar()->setValue(topRow);
}

}  // namespace veskplan
