#include <gtest/gtest.h>
#include <QApplication>
#include <QTableView>
#include <QTest>

#include "app/appfont.h"
#include "app/mainwindow.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using SaveHistoryTest = test::ControllerTest;

// Saving is no step of the history: what was done before it can still be undone and redone,
// and the window's modified mark follows the saved state.
TEST_F(SaveHistoryTest, UndoAfterSaveTakesBackTheLastChangeAndTheMarkFollowsTheSavedState) {
    applyApplicationFont();
    start();
    MainWindow window(*controller, sandbox.path(u"window.conf"_s));
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* masterGrid = window.findChild<QTableView*>(u"mastItemList"_s);
    QTest::mouseClick(masterGrid->viewport(), Qt::LeftButton, {},
                      masterGrid->visualRect(masterGrid->model()->index(0, 0)).center());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // "Add to Project"
    auto* grid = window.findChild<QTableView*>(u"projItemDB"_s);
    ASSERT_EQ(QApplication::focusWidget(), grid);
    const QModelIndex quantity = grid->model()->index(0, ProjectGridModel::QuantityColumn);
    ASSERT_EQ(grid->currentIndex(), quantity);
    for (const QString& typed : {u"42.5"_s, u"7"_s}) {
        QTest::keyClicks(grid, typed.left(1));  // the first key opens the cell's editor
        QTest::keyClicks(QApplication::focusWidget(), typed.mid(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();  // the editor hands its text over from the event loop
        ASSERT_EQ(quantity.data().toString(), typed);
    }

    port.files = {projectPath(u"kept.vsk"_s)};
    QTest::keySequence(&window, QKeySequence::Save);
    ASSERT_EQ(window.windowTitle(), u"kept.vsk[*] - VESKPLAN"_s);
    EXPECT_FALSE(window.isWindowModified());
    QTest::keySequence(&window, QKeySequence::Undo);
    EXPECT_EQ(quantity.data().toString(), u"42.5"_s);
    EXPECT_TRUE(window.isWindowModified());
    QTest::keySequence(&window, QKeySequence::Undo);
    EXPECT_EQ(quantity.data().toString(), QString());
    QTest::keySequence(&window, QKeySequence::Redo);
    QTest::keySequence(&window, QKeySequence::Redo);
    EXPECT_EQ(quantity.data().toString(), u"7"_s);
    EXPECT_FALSE(window.isWindowModified());  // back at the saved state
}

}  // namespace
}  // namespace veskplan
