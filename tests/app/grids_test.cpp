#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>

#include "app/windowfixture.h"
#include "controller/controllertexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

class GridTest : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        startAndShow();
        closeCatalogueWindows();
        grid = find<QTableView>(u"projItemDB"_s);
        master = find<QTableView>(u"mastItemList"_s);
    }
    void addThreeItems() {
        for (int row : {0, 1, 2}) {
            addMasterRow(row);
        }
    }
    void clickHeading(int column) {
        QHeaderView* header = grid->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, 5));
    }
    void dragColumnEdge(int column, int dx) {
        QHeaderView* header = grid->horizontalHeader();
        const QPoint edge(header->sectionViewportPosition(column) + header->sectionSize(column) - 1,
                          header->height() / 2);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, edge);
        QTest::mouseMove(header->viewport(), edge + QPoint(dx / 2, 0));
        QTest::mouseMove(header->viewport(), edge + QPoint(dx, 0));
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, edge + QPoint(dx, 0));
    }
    QString counts() { return find<QLabel>(u"projectCounts"_s)->text(); }

    QTableView* grid = nullptr;
    QTableView* master = nullptr;
};

TEST_F(GridTest, DescriptionsTakeTheWindowsRoomAndWidthsTheUserSetsStay) {
    const int itemWidth = grid->columnWidth(ProjectGridModel::ItemNumberColumn);
    const int description = grid->columnWidth(ProjectGridModel::DescriptionColumn);
    const int masterDescription = master->columnWidth(1);
    window->resize(window->width() + 200, window->height());
    QApplication::processEvents();
    EXPECT_EQ(grid->columnWidth(ProjectGridModel::DescriptionColumn), description + 200);
    EXPECT_EQ(master->columnWidth(1), masterDescription + 200);
    EXPECT_EQ(grid->columnWidth(ProjectGridModel::ItemNumberColumn), itemWidth);

    // A marked number is shown whole.
    openRows(u"marked.vsk"_s, {test::rec("9999-0000001  <<", "01", "OLD CULVERT", "LF", 5),
                               test::rec("2105-0500000", "01", "COMMON EXCAVATION", "CY", 7)});
    const int needed = static_cast<QAbstractItemView*>(grid)->sizeHintForColumn(
        ProjectGridModel::ItemNumberColumn);
    EXPECT_GE(grid->columnWidth(ProjectGridModel::ItemNumberColumn), needed);

    dragColumnEdge(ProjectGridModel::ItemNumberColumn, 40);
    dragColumnEdge(ProjectGridModel::UnitsColumn, 30);
    const int widened = grid->columnWidth(ProjectGridModel::ItemNumberColumn);
    const int units = grid->columnWidth(ProjectGridModel::UnitsColumn);
    EXPECT_GE(widened, std::max(itemWidth, needed) + 30);
    const auto widthsStay = [&](const QTableView* view, const char* after) {
        EXPECT_EQ(view->columnWidth(ProjectGridModel::ItemNumberColumn), widened) << after;
        EXPECT_EQ(view->columnWidth(ProjectGridModel::UnitsColumn), units) << after;
    };
    saveAs(u"saved.vsk"_s, QKeySequence::SaveAs);
    widthsStay(grid, "Save As");
    openProject(u"saved.vsk"_s);
    widthsStay(grid, "Open");
    clickHeading(ProjectGridModel::ItemNumberColumn);
    clickHeading(ProjectGridModel::CatColumn);
    widthsStay(grid, "sorting");
    keys(QKeySequence::New);
    widthsStay(grid, "New Project");

    window->close();
    MainWindow again(*controller, windowSettings);
    widthsStay(again.findChild<QTableView*>(u"projItemDB"_s), "a new window");
}

TEST_F(GridTest, TheHeadingsShowTheOrderInUse) {
    openRows(u"two.vsk"_s, {test::rec("2301-0200000", "01", "CONCRETE PAVEMENT 8 INCH", "SY", 1),
                            test::rec("2105-0500000", "02", "COMMON EXCAVATION", "CY", 2)});
    QHeaderView* header = grid->horizontalHeader();
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(counts(), u"2 items in 2 categories"_s);  // the status bar counts what was opened
    for (int c = 0; c < ProjectGridModel::kColumnCount; ++c) {  // no heading cut by its arrow
        EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c)) << c;
    }
    const std::tuple<int, int, const char*> clicks[] = {
        // clicked, shown, first row
        {ProjectGridModel::ItemNumberColumn, ProjectGridModel::ItemNumberColumn, "2105-0500000"},
        {ProjectGridModel::UnitsColumn, ProjectGridModel::ItemNumberColumn, "2105-0500000"},
        {ProjectGridModel::ItemNumberColumn, ProjectGridModel::ItemNumberColumn, "2105-0500000"},
        {ProjectGridModel::CatColumn, ProjectGridModel::CatColumn, "2301-0200000"},
        {ProjectGridModel::DescriptionColumn, ProjectGridModel::CatColumn, "2301-0200000"},
    };
    for (const auto& [clicked, shown, first] : clicks) {
        clickHeading(clicked);
        // What is typed in the first row goes to the item shown there.
        clickCell(grid, grid->model()->index(0, ProjectGridModel::QuantityColumn));
        type(QString::number(10 + clicked));
        const int row = store().record(0).itemNumber == QLatin1StringView(first) ? 0 : 1;
        EXPECT_EQ(
            std::tuple(header->sortIndicatorSection(), header->sortIndicatorOrder(),
                       grid->model()->index(0, 0).data().toString(), store().record(row).quantity),
            std::tuple(shown, Qt::AscendingOrder, QString::fromLatin1(first),
                       std::optional(10.0 + clicked)))
            << clicked;
    }
    clickHeading(ProjectGridModel::ItemNumberColumn);
    port.answers = {Answer::ExportAnyway};  // past the warnings
    port.files = {sandbox.path(u"two.txt"_s)};
    menuCommand(Qt::Key_X, Qt::Key_R);  // Road CAD walks by item number, then the working order
    EXPECT_EQ(std::tuple(header->sortIndicatorSection(), grid->currentIndex().row()),
              std::tuple(int(ProjectGridModel::CatColumn), 0));
}

TEST_F(GridTest, TheMasterListShowsItsCurrentRowWhileAnotherControlHasTheFocus) {
    // A desktop theme that dims the selection of a control without the focus.
    const QPalette theme = QApplication::palette();
    const auto restore = qScopeGuard([&] { QApplication::setPalette(theme); });
    QPalette dimming = theme;
    dimming.setColor(QPalette::Inactive, QPalette::Highlight, Qt::lightGray);
    QApplication::setPalette(dimming);
    QApplication::processEvents();
    const QModelIndex picked = master->model()->index(1, 1);
    clickCell(master, picked);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), u"addItem"_s);
    // Past the end of the description's text, in the selected row.
    const QRect cell = master->visualRect(picked);
    const QPoint blank(cell.right() - 4, cell.center().y());
    const QColor shown = master->viewport()->grab().toImage().pixelColor(blank);
    EXPECT_EQ(shown, theme.color(QPalette::Active, QPalette::Highlight));
}

// Typing in the grid as in a spreadsheet: Enter stores and goes down, Tab to the next cell.
TEST_F(GridTest, EnterStoresATypedQuantityAndGoesToTheNextRowsQuantity) {
    addThreeItems();
    clickCell(grid, grid->model()->index(0, ProjectGridModel::QuantityColumn));
    type(u"12"_s);
    type(u"3.5"_s);
    EXPECT_EQ(test::quantitiesOf(store()), (std::vector<std::optional<double>>{12, 3.5, {}}));
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(2, ProjectGridModel::QuantityColumn));
    EXPECT_EQ(focus(), grid);
    type(u"-"_s, Qt::Key_Enter, Qt::KeypadModifier);  // no number: said so, the cell stays
    EXPECT_EQ(port.messageTexts().back(), texts::quantityNotANumber(u"-"_s));
    EXPECT_EQ(grid->currentIndex().row(), 2);
    type(u"7"_s, Qt::Key_Tab);
    EXPECT_EQ(store().record(2).quantity, 7);
    EXPECT_EQ(focus(), grid);
}

TEST_F(GridTest, QuantitiesPasteFromTheClipboardAsOneStepAndRowsCopyToIt) {
    addThreeItems();
    const auto quantities = [this] { return test::quantitiesOf(store()); };
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QModelIndex first = grid->model()->index(0, ProjectGridModel::QuantityColumn);
    clickCell(grid, first);
    clipboard->setText(u"4\r\n5\r\n"_s);
    QTest::keySequence(grid, QKeySequence::Paste);
    EXPECT_EQ(quantities(), (std::vector<std::optional<double>>{4, 5, std::nullopt}));
    clickCell(grid, first);

    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);  // the current row and the next
    QTest::keySequence(grid, QKeySequence::Copy);
    EXPECT_EQ(clipboard->text(),
              u"Item Number\tCat\tDescription\tUnits\tQuantity\n"
              u"2101-0100000\t01\tCLEARING\tACRE\t4\n"
              u"2105-0500000\t01\tCOMMON EXCAVATION\tCY\t5\n"_s);
}

// Saving is no step of the history.
TEST_F(GridTest, UndoAfterSaveTakesBackTheLastChangeAndTheMarkFollowsTheSavedState) {
    doubleClickCell(master, master->model()->index(0, 0));  // a double click adds the row
    ASSERT_EQ(focus(), grid);
    const QModelIndex quantity = grid->model()->index(0, ProjectGridModel::QuantityColumn);
    ASSERT_EQ(grid->currentIndex(), quantity);
    for (const QString& typed : {u"42.5"_s, u"7"_s}) {
        type(typed);
        ASSERT_EQ(quantity.data().toString(), typed);
    }
    saveAs(u"kept.vsk"_s);
    ASSERT_EQ(window->windowTitle(), u"kept.vsk[*] - VESKPLAN"_s);
    EXPECT_FALSE(window->isWindowModified());
    keys(QKeySequence::Undo);
    EXPECT_EQ(quantity.data().toString(), u"42.5"_s);
    EXPECT_TRUE(window->isWindowModified());
    auto* undo = find<QAction>(u"mnuEditUndo"_s);
    keys(QKeySequence::Undo);
    EXPECT_EQ(std::tuple(quantity.data().toString(), undo->text(), counts()),
              std::tuple(QString(), u"Undo Add Item"_s, u"1 item in 1 category"_s));
    keys(QKeySequence::Undo);
    EXPECT_EQ(std::tuple(counts(), undo->isEnabled(), find<QAction>(u"mnuEditRedo"_s)->text()),
              std::tuple(u"0 items in 1 category"_s, false, u"Redo Add Item"_s));
    for (int step = 0; step < 3; ++step) {
        keys(QKeySequence::Redo);
    }
    EXPECT_EQ(quantity.data().toString(), u"7"_s);
    EXPECT_FALSE(window->isWindowModified());  // back at the saved state

    // While a quantity is typed the history's keys work on its text; the menu's Undo stores it
    // first, then takes it back.
    ASSERT_EQ(focus(), grid);
    QTest::keyClicks(grid, u"12"_s);
    QTest::keySequence(focus(), QKeySequence::Undo);
    QTest::keyClicks(focus(), u"8"_s);
    const QString typed = focus()->property("text").toString();
    QMenuBar* bar = window->menuBar();
    auto* edit = find<QMenu>(u"mnuEdit"_s);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(edit->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    QTest::mouseClick(edit, Qt::LeftButton, {}, edit->actionGeometry(undo).center());
    EXPECT_EQ(quantity.data().toString(), u"7"_s);  // neither key nor menu took a step more
    keys(QKeySequence::Redo);
    EXPECT_EQ(quantity.data().toString(), typed);
}

}  // namespace
}  // namespace veskplan
