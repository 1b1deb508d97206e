#include <gtest/gtest.h>
#include <QTextStream>

#include "controller/controllertexts.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::ControllerTest;

TEST_F(ControllerTest, StartUpLoadsTheEnglishListIntoAnEmptySavedProject) {
    controller = makeController();
    controller->start();
    const auto& grid = controller->browsing().gridState();
    QString state;
    QTextStream(&state) << port.lastFocus() << '|' << port.messages.size() << '|' << port.busyDepth
                        << '|' << master().unitIndex() << '|' << indexOf(*master().loadedUnit())
                        << '|' << master().list().count() << '|' << master().revisionText() << '|'
                        << master().searchPosition() << '|' << port.masterTopRow << '|' << grid.currentRow
                        << '|' << doc().isModified() << doc().isUntitled()
                        << controller->guardedCommandsEnabled() << '|'
                        << doc().categories().numbers().join(u',') << '|' << boxes().numberIndex();
    EXPECT_EQ(state, u"itemCat|0|0|0|0|6|Revised 3/14/26|-1|0|5|010|01|0"_s);
    EXPECT_EQ(controller->config().mastDir, sandbox.dataDir());
}

TEST_F(ControllerTest, TheUnitSelectorAsksBeforeThrowingAwayItems) {
    start();
    controller->switchUnit(Unit::Metric);  // an empty project loads at once
    EXPECT_EQ(master().list().count(), 3);
    EXPECT_EQ(master().revisionText(), u"Revised 4/2/26"_s);
    EXPECT_TRUE(port.messages.empty());
    controller->switchUnit(Unit::English);
    addMasterRow(0);
    port.clear();
    controller->switchUnit(Unit::English);  // the loaded unit: nothing happens
    EXPECT_EQ(port.busyCount, 0);

    // The unit question, then the save question; the selector and the list after; the items.
    const std::tuple<std::deque<Answer>, int, int> cases[] = {{{Answer::No}, 0, 1},
                                                              {{Answer::Yes, Answer::Cancel}, 0, 1},
                                                              {{Answer::Yes, Answer::No}, 1, 0}};
    for (const auto& [answers, unit, items] : cases) {
        port.clear();
        port.answers = answers;
        controller->switchUnit(Unit::Metric);
        EXPECT_EQ(std::tuple(port.answers.size(), port.messages[0].text, port.messages[0].title,
                             master().unitIndex(), indexOf(*master().loadedUnit()),
                             store().recordCount()),
                  std::tuple(0u, texts::unitChangeQuestion(), u"Change Master Item List"_s, unit,
                             unit, items));
    }
}

TEST_F(ControllerTest, AMissingOrOversizedListIsReportedLeavesAnEmptyGridAndAddsNothing) {
    start();
    QFile::remove(sandbox.dataDir() + u"/itemsm.txt"_s);
    controller->switchUnit(Unit::Metric);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_TRUE(port.messages[0].text.contains(u"itemsm.txt"_s));
    EXPECT_FALSE(port.messageWhileBusy);
    EXPECT_EQ(master().list().count(), 0);
    controller->editing().addCurrentMasterItem();
    EXPECT_EQ(store().recordCount(), 0);
    // So are a list and a category file beyond their size.
    start();
    test::writeFile(sandbox.dataDir() + u"/itemsm.txt"_s, QByteArray(900'000, '\n'));
    test::writeFile(sandbox.dataDir() + u"/itemcats.txt"_s, QByteArray(30'000, '\r'));
    controller->switchUnit(Unit::Metric);
    EXPECT_EQ(master().list().count(), 0);
    EXPECT_TRUE(controller->browsing().categories().tree().root.children.empty());
    ASSERT_EQ(port.messages.size(), 2u);
    EXPECT_TRUE(port.messages[0].text.contains(u"itemsm.txt"_s));
    EXPECT_TRUE(port.messages[0].text.contains(u"more than 800000 lines"_s));
    EXPECT_TRUE(port.messages[1].text.contains(u"more than 20000 lines"_s));
}

TEST_F(ControllerTest, SearchesMoveTheGridAndTheFocusAndKeepTheirStateAcrossAUnitSwitch) {
    start();
    char16_t keys[] = {u'2', u'-', 8, u'a', u' '};
    for (char16_t& key : keys) {
        MasterBrowsing::filterItemSearchKey(key);
    }
    EXPECT_EQ(std::u16string(keys, 5), (std::u16string{u'2', u'-', 8, 0, 0}));
    char16_t lower = u'p';
    MasterBrowsing::filterDescriptionSearchKey(lower);
    EXPECT_EQ(lower, u'P');

    // The jump picks the row it shows, as a click does: "Add to Project" adds what is seen.
    // The first row asked to be in sight, the current and the highlighted row, the search's.
    const auto where = [this] {
        const MasterGridState& grid = controller->browsing().gridState();
        return std::tuple(port.masterTopRow, grid.currentRow, grid.selectedRow, master().searchPosition());
    };
    controller->browsing().jumpToItemNumber(u"2105"_s);
    EXPECT_EQ(where(), std::tuple(0, 1, 1, 1));       // six rows: the view cannot scroll
    controller->browsing().jumpToItemNumber(u"9"_s);  // no match: nothing moves
    EXPECT_EQ(controller->browsing().gridState().currentRow, 1);
    controller->browsing().itemSearchEntered();
    EXPECT_EQ(port.lastFocus(), u"addItem"_s);
    controller->editing().addCurrentMasterItem();
    EXPECT_EQ(store().record(0).itemNumber, u"2105-0500000"_s);
    controller->editing().removeCurrentItem();
    controller->browsing().goToDescriptionSearch();
    EXPECT_EQ(port.lastFocus(), u"srchStr"_s);
    controller->browsing().setDescriptionSearch(u"PIPE"_s);
    controller->browsing().findNext();           // Enter runs Find Next
    EXPECT_EQ(where(), std::tuple(3, 3, 3, 3));  // the found row shown at the top
    EXPECT_EQ(port.lastFocus(), u"addItem"_s);
    controller->browsing().findNext();
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{texts::endOfMasterItems()});
    controller->browsing().pickRow(0);
    controller->browsing().findPrevious();
    EXPECT_EQ(port.messageTexts().size(), 1u);  // row 0 has nothing before it
    controller->browsing().setDescriptionSearch(u"ZZZ"_s);
    controller->browsing().pickRow(2);
    controller->browsing().findPrevious();
    EXPECT_EQ(port.messageTexts().back(), texts::beginningOfMasterItems());
    controller->switchUnit(Unit::Metric);
    EXPECT_EQ(master().searchPosition(), 2);
    EXPECT_EQ(master().descriptionSearchText(), u"ZZZ"_s);
}

TEST_F(ControllerTest, TheCategoryBrowserScrollsToTheChosenCategoryOnce) {
    start();
    int loads = 0;
    port.categoryBrowser = [&] {
        loads += controller->browsing().categories().tree().root.children.empty() ? 0 : 1;
        controller->browsing().categories().pick(u"2300 PAVING"_s);
        EXPECT_FALSE(
            controller->browsing().categories().picked());  // a section does not close the window
        controller->browsing().categories().pick(u"2501 PIPE CULVERTS"_s);
        EXPECT_TRUE(controller->browsing().categories().picked());
    };
    controller->browsing().browseCategories();
    EXPECT_EQ(port.masterTopRow, 0);
    EXPECT_TRUE(master().chosenCat().isEmpty());
    EXPECT_EQ(&controller->browsing().categories().tree(),
              &controller->browsing().categories().tree());  // read once
    controller->browsing().categories().close();
    QFile::remove(sandbox.dataDir() + u"/itemcats.txt"_s);
    EXPECT_TRUE(controller->browsing().categories().tree().root.children.empty());
    EXPECT_TRUE(port.messageTexts().back().contains(u"itemcats.txt"_s));
    EXPECT_EQ(loads, 1);
}

}  // namespace
}  // namespace veskplan
