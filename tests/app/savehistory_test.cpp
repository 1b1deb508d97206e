#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QTableView>
#include <QTest>

#include "app/appfont.h"
#include "app/mainwindow.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// Saving is no step of the history: what was done before it can still be undone and redone,
// and the window's modified mark follows the saved state.
class SaveHistoryTest : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        applyApplicationFont();
        start();
        window = std::make_unique<MainWindow>(*controller, sandbox.path(u"window.conf"_s));
        port.onFocus = [this](const QString& name) { window->requestFocus(name); };
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // Types into the grid's current cell as a user does: the first key opens its editor, Enter
    // stores the text once the event loop has run.
    static void typeIntoCell(QTableView* grid, const QString& text) {
        QTest::keyClicks(grid, text.left(1));
        QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }
    QString quantityShown(int row) const {
        auto* grid = window->findChild<QTableView*>(u"projItemDB"_s);
        return grid->model()->index(row, ProjectGridModel::QuantityColumn).data().toString();
    }
    std::unique_ptr<MainWindow> window;
};

TEST_F(SaveHistoryTest, UndoAfterSaveTakesBackTheLastChangeAndTheMarkFollowsTheSavedState) {
    auto* masterGrid = window->findChild<QTableView*>(u"mastItemList"_s);
    const QPoint row0 = masterGrid->visualRect(masterGrid->model()->index(0, 0)).center();
    QTest::mouseClick(masterGrid->viewport(), Qt::LeftButton, {}, row0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // "Add to Project"
    auto* grid = window->findChild<QTableView*>(u"projItemDB"_s);
    ASSERT_EQ(QApplication::focusWidget(), grid);
    ASSERT_EQ(grid->currentIndex().column(), ProjectGridModel::QuantityColumn);
    typeIntoCell(grid, u"42.5"_s);
    ASSERT_EQ(quantityShown(0), u"42.5"_s);
    typeIntoCell(grid, u"7"_s);
    ASSERT_EQ(quantityShown(0), u"7"_s);

    port.files = {projectPath(u"kept.vsk"_s)};
    QTest::keySequence(window.get(), QKeySequence::Save);
    ASSERT_EQ(window->windowTitle(), u"kept.vsk[*] - VESKPLAN"_s);
    EXPECT_FALSE(window->isWindowModified());

    QTest::keySequence(window.get(), QKeySequence::Undo);
    EXPECT_EQ(quantityShown(0), u"42.5"_s);
    EXPECT_TRUE(window->isWindowModified());
    QTest::keySequence(window.get(), QKeySequence::Undo);
    EXPECT_EQ(quantityShown(0), QString());
    QTest::keySequence(window.get(), QKeySequence::Redo);
    QTest::keySequence(window.get(), QKeySequence::Redo);
    EXPECT_EQ(quantityShown(0), u"7"_s);
    EXPECT_FALSE(window->isWindowModified());  // back at the saved state
    EXPECT_EQ(window->windowTitle(), u"kept.vsk[*] - VESKPLAN"_s);
    EXPECT_TRUE(controller->guardedCommandsEnabled());
}

TEST_F(SaveHistoryTest, AProjectWithHeaderRowsButNoItemsCanStillBeSavedAfterASave) {
    test::makeProjectFile(projectPath(u"empty.vsk"_s),
                          {test::rec("0000-1000000", "00", "SR-9", "0"),
                           test::rec("0000-0000001", "00", "Mainline", "01")});
    port.files = {projectPath(u"empty.vsk"_s)};
    QTest::keySequence(window.get(), QKeySequence::Open);
    ASSERT_EQ(controller->document().header().projNum, u"SR-9"_s);
    auto* save = window->findChild<QAction*>(u"mnuFileSave"_s);
    EXPECT_TRUE(save->isEnabled());
    QTest::keyClicks(window->findChild<QWidget*>(u"designer"_s), u"Kim"_s);
    QTest::keySequence(window.get(), QKeySequence::Save);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_TRUE(save->isEnabled());
    QTest::keySequence(window.get(), QKeySequence::Undo);
    EXPECT_EQ(controller->document().header().designer, QString());
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(save->isEnabled());
}

}  // namespace
}  // namespace veskplan
