#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/categorywindow.h"
#include "app/windowfixture.h"
#include "controller/controllertexts.h"
#include "project/projectfile.h"
#include "project/specialrows.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// A designer's day at the main window, from the keyboard and the mouse.
class WorkingDayTest : public test::WindowFixture {
protected:
    void clickMasterRow(int row) {
        auto* grid = find<QTableView>(u"mastItemList"_s);
        clickCell(grid, grid->model()->index(row, 1));
    }
    void addMasterRowByKeys(int row) {
        clickMasterRow(row);
        QTest::keyClick(focus(), Qt::Key_Return);
    }
    // The descriptions of the rows of a saved project whose item numbers begin so.
    QStringList savedDescriptions(const QString& name, const QString& numberStart) {
        QStringList descriptions;
        for (const ProjectRecord& row : projectfile::read(projectPath(name))) {
            if (row.itemNumber.startsWith(numberStart)) {
                descriptions.append(row.description);
            }
        }
        return descriptions;
    }
    void makeProjectWithCategories(const QString& name, const QString& masterDate) {
        CategoryList categories;
        for (const char* description : {"Mainline", "Ramps", "Bridge"}) {
            categories.append(*categories.nextNumber(), QString::fromLatin1(description));
        }
        HeaderFields header;
        header.projNum = u"STP-12"_s;
        projectfile::write(projectPath(name),
                           {test::rec("2101-0100000", "01", "CLEARING", "ACRE"),
                            test::rec("2105-0500000", "03", "COMMON EXCAVATION", "CY")},
                           specialrows::compose(header, 0, masterDate, categories));
    }
};

// The arrow keys never take the focus to "Remove from Project".
TEST_F(WorkingDayTest, ArrowKeysAfterAPickMoveTheMasterRowAndEnterAddsTheRowShownSelected) {
    startAndShow();
    addMasterRowByKeys(0);
    auto* masterGrid = find<QTableView>(u"mastItemList"_s);
    const std::tuple<int, std::vector<Qt::Key>, int> cases[] = {
        // picked, keys, row added
        {1, {Qt::Key_Down}, 2},
        {3, {Qt::Key_Up, Qt::Key_Left, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down}, 4},
        {4, {Qt::Key_PageDown}, 5},
        {5, {Qt::Key_PageUp, Qt::Key_Down}, 1},
    };
    int items = 1;
    for (const auto& [picked, pressed, added] : cases) {
        SCOPED_TRACE(picked);
        clickMasterRow(picked);
        ASSERT_EQ(focus(), find(u"addItem"_s));
        for (const Qt::Key key : pressed) {
            QTest::keyClick(focus(), key);
            EXPECT_EQ(focus(), find(u"addItem"_s));
        }
        EXPECT_EQ(masterGrid->selectionModel()->selectedRows(),
                  QModelIndexList{masterGrid->model()->index(added, 0)});
        QTest::keyClick(focus(), Qt::Key_Return);
        ASSERT_EQ(store().recordCount(), ++items);
        EXPECT_EQ(store().record(controller->editing().currentRow()).itemNumber,
                  master().list().itemNumber(added).toString());
    }
}

// By the menu's key and by a switch of the unit answered Yes.
TEST_F(WorkingDayTest, ANewProjectHasOneBlankCategoryAndAnUntouchedOneAsksNothing) {
    startAndShow();
    makeProjectWithCategories(u"three.vsk"_s, u"3/14/2026"_s);
    auto* numbers = find<QComboBox>(u"catNum"_s);
    auto* descriptions = find<QComboBox>(u"catDesc"_s);
    auto expectBlank = [&] {
        EXPECT_EQ((QStringList{QString::number(numbers->count()), numbers->currentText(),
                               descriptions->currentText(), find<QLineEdit>(u"projNum"_s)->text(),
                               window->windowTitle(), QString::number(window->isWindowModified())}),
                  (QStringList{u"1"_s, u"01"_s, {}, {}, u"Untitled[*] - VESKPLAN"_s, u"0"_s}));
    };
    openProject(u"three.vsk"_s);
    ASSERT_EQ(numbers->count(), 3);
    keys(QKeySequence::New);
    expectBlank();

    openProject(u"three.vsk"_s);
    port.answers = {Answer::Yes};  // throw the items away for the other list
    test::chooseInList(find<QComboBox>(u"engMet"_s), 1);
    EXPECT_TRUE(port.answers.empty());
    EXPECT_EQ(master().unitIndex(), 1);
    expectBlank();

    QTest::mouseClick(find<QAbstractButton>(u"addCat"_s), Qt::LeftButton);
    EXPECT_EQ(numbers->currentText(), u"02"_s);
    addMasterRowByKeys(0);
    saveAs(u"fresh.vsk"_s);
    EXPECT_EQ(savedDescriptions(u"fresh.vsk"_s, u"0000-00000"_s),
              (QStringList{u"No Description"_s, u"No Description"_s}));

    openProject(u"three.vsk"_s);
    EXPECT_EQ(numbers->currentText(), u"01"_s);  // an opened project picks its first category
    keys(QKeySequence::New);
    port.clear();
    window->close();
    EXPECT_TRUE(port.messages.empty());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(WorkingDayTest, AFailedSaveAsChangesNeitherTheFileNameNorTheModifiedState) {
    startAndShow();
    addMasterRowByKeys(0);
    saveAs(u"kept.vsk"_s);
    const QString unwritable = sandbox.path(u"no/such/folder/moved.vsk"_s);
    for (const bool modified : {false, true}) {
        SCOPED_TRACE(modified);
        if (modified) {
            QTest::keyClicks(find<QLineEdit>(u"projNum"_s), u"B7"_s);
        }
        port.clear();
        port.files = {unwritable};
        menuCommand(Qt::Key_F, Qt::Key_A);  // File > Save Project As
        ASSERT_EQ(port.messages.size(), 1u);
        EXPECT_EQ(window->windowTitle(), u"kept.vsk[*] - VESKPLAN"_s);
        EXPECT_EQ(window->isWindowModified(), modified);
        EXPECT_EQ(find<QLabel>(u"projFileN"_s)->text(),
                  QDir::toNativeSeparators(projectPath(u"kept.vsk"_s)));
    }
    keys(QKeySequence::Save);  // the old file, without a question
    EXPECT_EQ(port.dialogs.size(), 1u);
    EXPECT_EQ(savedDescriptions(u"kept.vsk"_s, specialrows::firstHeader()).value(0).left(2),
              u"B7"_s);
    EXPECT_FALSE(window->isWindowModified());

    keys(QKeySequence::New);
    addMasterRowByKeys(1);
    port.clear();
    port.files = {unwritable, std::nullopt};
    keys(QKeySequence::Save);
    keys(QKeySequence::Save);  // still untitled: Save asks for a name again
    EXPECT_EQ(port.dialogs.size(), 2u);
    EXPECT_EQ(window->windowTitle(), u"Untitled[*] - VESKPLAN"_s);
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(WorkingDayTest, FilesHoldDatesInOneFormAndTheWindowShowsTheUsersForm) {
    locale = QLocale(QLocale::German, QLocale::Germany);
    startAndShow();
    const QDate listDate(2026, 3, 14);  // the English list's date in the sandbox
    EXPECT_EQ(find<QLabel>(u"mastRevDate"_s)->text(),
              u"Revised "_s + locale.toString(listDate, QLocale::ShortFormat));
    addMasterRowByKeys(0);
    saveAs(u"dated.vsk"_s);
    EXPECT_EQ(savedDescriptions(u"dated.vsk"_s, specialrows::secondHeader()),
              QStringList{u"3/14/2026"_s});

    // The same date in the forms older files hold, and a date of another list, whose message
    // stands over the opened project's fields.
    QStringList shown;
    port.onMessage = [&](const MessageRequest&) {
        shown = {find<QLineEdit>(u"projNum"_s)->text(), find<QLabel>(u"projFileN"_s)->text()};
    };
    for (const QString& stored :
         {u"3/14/2026"_s, u"03/14/2026"_s, u"2026-03-14"_s, u"3/14/26"_s,
          locale.toString(listDate, QLocale::ShortFormat), u"14 Mar 2026"_s, u"3/15/2026"_s}) {
        SCOPED_TRACE(stored.toStdString());
        makeProjectWithCategories(u"old.vsk"_s, stored);
        port.clear();
        openProject(u"old.vsk"_s);
        ASSERT_EQ(store().recordCount(), 2);
        if (stored == u"3/15/2026"_s) {
            ASSERT_EQ(port.messages.size(), 1u);
            for (const QDate date : {QDate(2026, 3, 15), listDate}) {
                EXPECT_TRUE(port.messages[0].text.contains(
                    u"("_s + locale.toString(date, QLocale::ShortFormat) + u")"_s));
            }
            EXPECT_EQ(shown, (QStringList{u"STP-12"_s,
                                          QDir::toNativeSeparators(projectPath(u"old.vsk"_s))}));
        } else {
            EXPECT_TRUE(port.messages.empty());
        }
    }
}

TEST_F(WorkingDayTest, EnterInTheCategoryBrowserOpensASectionAndChoosesACategory) {
    startAndShow();
    bool sectionOpened = false, stillShown = true;
    QTimer::singleShot(0, [&] {
        auto* browser = qobject_cast<CategoryWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(browser, nullptr);
        QTreeWidget* tree = browser->tree();
        for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down,
                                  Qt::Key_Return, Qt::Key_Down, Qt::Key_Enter}) {
            QTest::keyClick(tree, key);
        }
        sectionOpened = tree->topLevelItem(0)->child(2)->isExpanded();
        stillShown = browser->isVisible();
        if (stillShown) {
            browser->close();
        }
    });
    QTest::mouseClick(find<QAbstractButton>(u"itemCat"_s), Qt::LeftButton);
    EXPECT_TRUE(sectionOpened);
    EXPECT_FALSE(stillShown);
}

// By the key and by the box's own menu; one that fits is taken.
TEST_F(WorkingDayTest, APastedProjectNumberThatDoesNotFitIsRefusedWithAMessage) {
    startAndShow();
    auto* number = find<QLineEdit>(u"projNum"_s);
    QTest::keyClicks(number, u"SR-7"_s);
    const std::tuple<bool, QString, QString> cases[] = {
        // by the menu, pasted, kept
        {false, QString(26, u'X'), u"SR-7"_s},
        {true, u"-B(3)"_s + QString(17, u'0'), u"SR-7"_s},
        {true, u"-B(3)"_s, u"SR-7-B(3)"_s},
    };
    for (const auto& [byMenu, pasted, kept] : cases) {
        SCOPED_TRACE(pasted.toStdString());
        port.clear();
        QGuiApplication::clipboard()->setText(pasted);
        if (byMenu) {
            QTimer::singleShot(0, [] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                ASSERT_NE(menu, nullptr);
                for (QAction* action : menu->actions()) {
                    if (action->text().startsWith(u"&Paste"_s)) {
                        menu->setActiveAction(action);
                    }
                }
                QTest::keyClick(menu, Qt::Key_Return);
            });
            const QPoint at = number->rect().center();
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, at, number->mapToGlobal(at));
            QApplication::sendEvent(number, &menuKey);
        } else {
            QTest::keyClick(number, Qt::Key_V, Qt::ControlModifier);
        }
        EXPECT_EQ(std::pair(number->text(), doc().header().projNum), std::pair(kept, kept));
        const bool refused = kept == u"SR-7"_s;
        ASSERT_EQ(port.messages.size(), refused ? 1u : 0u);
        if (refused) {
            EXPECT_EQ(port.messages[0].text, texts::projectNumberTooLong(25));
            EXPECT_EQ(port.messages[0].title, u"VESKPLAN"_s);
        }
    }
}

}  // namespace
}  // namespace veskplan
