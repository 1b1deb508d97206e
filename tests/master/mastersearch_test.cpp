#include <gtest/gtest.h>

#include "master/categorytree.h"
#include "master/mastersearch.h"
#include "sampledata/sampledata.h"
#include "shell/texts.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::ControllerTest;
using test::masterLine;

// Twenty rows; PIPE in rows 3, 10 and 18; "Pipe" in row 12; numbers 2101.. to 2599.
QByteArray twentyRows() {
    QByteArray bytes;
    for (int i = 1; i <= 20; ++i) {
        const QByteArray number = QByteArray::number(2100 + i * 20) + "-0100000";
        QByteArray description = "ITEM " + QByteArray::number(i);
        if (i == 3 || i == 10 || i == 18) {
            description += " RC PIPE";
        }
        if (i == 12) {
            description += " Pipe Mixed";
        }
        bytes += masterLine(number.constData(), description.constData(), "EA") + "\r\n";
    }
    return bytes;
}

class SearchTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        test::writeFile(sandbox.dataDir() + u"/itemse.txt"_s, twentyRows());
        start();
    }
    void next() { controller->findNext_Click(); }
    void previous() { controller->findPrev_Click(); }
};

TEST(ItemSearchFilters, KeepDigitsHyphenAndBackspaceAndUpperCaseTheDescription) {
    struct Case {
        char16_t typed, itemSearch, descriptionSearch;
    };
    const Case cases[] = {{u'2', u'2', u'2'}, {u'-', u'-', u'-'}, {8, 8, 8},       {u'a', 0, u'A'},
                          {u'z', 0, u'Z'},    {u'Q', 0, u'Q'},    {u' ', 0, u' '}, {u'.', 0, u'.'}};
    for (const Case& c : cases) {
        char16_t item = c.typed;
        char16_t description = c.typed;
        MainController::itemSrch_KeyPress(item);
        MainController::srchStr_KeyPress(description);
        EXPECT_EQ(item, c.itemSearch) << int(c.typed);
        EXPECT_EQ(description, c.descriptionSearch) << int(c.typed);
    }
}

TEST_F(SearchTest, ItemNumberJumpScrollsOnlyAndStopsNineRowsFromTheEnd) {
    const int current = ws().master.currentRow();
    controller->itemSrch_Change(u"2"_s);
    EXPECT_EQ(ws().master.topRow(), 1);
    controller->itemSrch_Change(u"22"_s);  // 2200 is row 5
    EXPECT_EQ(ws().master.topRow(), 5);
    controller->itemSrch_Change(u"2480"_s);  // row 19: among the last nine
    EXPECT_EQ(ws().master.topRow(), 11);
    controller->itemSrch_Change(u"9"_s);  // no match: nothing moves
    EXPECT_EQ(ws().master.topRow(), 11);
    controller->itemSrch_Change(QString());  // empty: back to the top
    EXPECT_EQ(ws().master.topRow(), 1);
    EXPECT_EQ(ws().master.currentRow(), current);
    EXPECT_EQ(ws().master.selectedRow(), 0);
    EXPECT_EQ(ws().srchPos, 0);
}

TEST_F(SearchTest, FindNextFromNoPositionAndOnward) {
    controller->srchStr_Change(u"PIPE"_s);
    next();
    EXPECT_EQ(ws().srchPos, 3);
    EXPECT_EQ(ws().master.topRow(), 3);
    EXPECT_EQ(ws().master.currentRow(), 3);
    EXPECT_EQ(ws().master.selectedRow(), 3);
    EXPECT_EQ(port.lastFocus(), u"addItem"_s);
    next();
    EXPECT_EQ(ws().srchPos, 10);
    next();
    EXPECT_EQ(ws().srchPos, 18);  // "Pipe" in row 12 is not "PIPE"
    EXPECT_TRUE(port.messages.empty());
    next();
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{u"End of Master Items Reached"_s});
    EXPECT_EQ(port.messages[0].title, u"veskplan"_s);
    EXPECT_EQ(ws().srchPos, 18);
    next();
    EXPECT_EQ(port.messages.size(), 2u);  // the same rows again, the message again
}

TEST_F(SearchTest, FindNextFromTheLastRowStartsOverAndTextOnlyBehindIsNotFound) {
    controller->srchStr_Change(u"ITEM 2"_s);
    controller->mastItemList_Click(5);
    next();  // ITEM 20 at row 20
    EXPECT_EQ(ws().srchPos, 20);
    controller->srchStr_Change(u"NOWHERE"_s);
    next();  // from the last row: starts again at row 1, finds nothing
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{u"End of Master Items Reached"_s});
    EXPECT_EQ(ws().srchPos, 0);
    controller->srchStr_Change(u"ITEM 3"_s);
    controller->mastItemList_Click(8);
    port.clear();
    next();  // only behind the position
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{u"End of Master Items Reached"_s});
    EXPECT_EQ(ws().srchPos, 8);
}

TEST_F(SearchTest, FindPreviousFromNoPositionTheMiddleAndTheFirstRow) {
    controller->srchStr_Change(u"PIPE"_s);
    previous();
    EXPECT_EQ(ws().srchPos, 18);
    previous();
    EXPECT_EQ(ws().srchPos, 10);
    previous();
    EXPECT_EQ(ws().srchPos, 3);
    previous();
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{u"Beginning of Master Items Reached"_s});
    EXPECT_EQ(ws().srchPos, 3);
    controller->mastItemList_Click(1);
    port.clear();
    previous();
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(ws().srchPos, 1);
}

TEST_F(SearchTest, EmptyTextMatchesTheNeighbour) {
    controller->mastItemList_Click(7);
    next();
    EXPECT_EQ(ws().srchPos, 8);
    previous();
    EXPECT_EQ(ws().srchPos, 7);
}

TEST_F(SearchTest, PositionBeyondAShorterList) {
    controller->srchStr_Change(u"ITEM"_s);
    controller->mastItemList_Click(19);
    controller->engMet_Click(1);  // three rows
    port.clear();
    next();
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(ws().srchPos, 19);
    controller->srchStr_Change(u"COMMON"_s);
    previous();  // starts at the last row
    EXPECT_EQ(ws().srchPos, 2);
}

TEST_F(SearchTest, ClickSelectsTheWholeRowAndSetsThePosition) {
    controller->mastItemList_Click(4);
    EXPECT_EQ(ws().master.selectedRow(), 4);
    EXPECT_EQ(ws().master.currentRow(), 4);
    EXPECT_EQ(ws().srchPos, 4);
    EXPECT_EQ(port.lastFocus(), u"addItem"_s);
}

TEST(CategoryTreeFile, SectionsWithTheirCategoriesInFileOrder) {
    const CategoryTree tree = CategoryTree::parse(test::crlf(
        {"2100 GRADING", "2101 CLEARING", "2105 EXCAVATION", "2500 DRAINAGE", "", "2599 SPECIAL"}));
    ASSERT_EQ(tree.root.children.size(), 2u);
    EXPECT_EQ(tree.root.text, u"Items"_s);
    EXPECT_EQ(tree.root.key, u"I"_s);
    const CategoryNode& grading = tree.root.children[0];
    EXPECT_EQ(grading.key, u"I21"_s);
    EXPECT_EQ(grading.text, u"2100 GRADING"_s);
    ASSERT_EQ(grading.children.size(), 2u);
    EXPECT_EQ(grading.children[1].text, u"2105 EXCAVATION"_s);
    EXPECT_TRUE(grading.children[1].key.isEmpty());
    const CategoryNode& drainage = tree.root.children[1];
    ASSERT_EQ(drainage.children.size(), 2u);  // the blank line is a category
    EXPECT_TRUE(drainage.children[0].text.isEmpty());
}

TEST(CategoryTreeFile, OddFilesStillGiveATree) {
    // A category before any section hangs under the root; a repeated section number gives a
    // second section without a key.
    const CategoryTree tree =
        CategoryTree::parse(test::crlf({"2101 EARLY", "2100 A", "2100 AGAIN", "2102 X"}));
    ASSERT_EQ(tree.root.children.size(), 3u);
    EXPECT_EQ(tree.root.children[0].text, u"2101 EARLY"_s);
    EXPECT_EQ(tree.root.children[1].key, u"I21"_s);
    EXPECT_TRUE(tree.root.children[2].key.isEmpty());
    EXPECT_EQ(tree.root.children[2].children.size(), 1u);
    EXPECT_TRUE(CategoryTree::parse({}).root.children.empty());
}

TEST(CategoryTreeFile, OnlyCategoriesClose) {
    EXPECT_TRUE(CategoryTree::isCategory(u"2101 CLEARING"_s));
    EXPECT_FALSE(CategoryTree::isCategory(u"2100 GRADING"_s));
    EXPECT_FALSE(CategoryTree::isCategory(u"Items"_s));
    EXPECT_FALSE(CategoryTree::isCategory(QString()));
}

class CategoryBrowserTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        test::writeFile(sandbox.dataDir() + u"/itemse.txt"_s, twentyRows());
        test::writeFile(sandbox.dataDir() + u"/itemcats.txt"_s,
                        test::crlf({"2100 GRADING", "2120 FIRST", "2200 BASE", "2220 BASE ITEMS",
                                    "2480 LATE", "2900 EMPTY SECTION", "2999 NOTHING"}));
        start();
    }
    // What the user does in the window before it closes.
    void browse(std::function<void()> actions) { port.categoryBrowser = std::move(actions); }
};

TEST_F(CategoryBrowserTest, ChosenCategoryScrollsTheGridAndIsForgotten) {
    browse([this] {
        const CategoryTree& tree = controller->getCat_Load();
        controller->catTree_NodeClick(tree.root.children[1].children[0].text);  // 2220
        EXPECT_TRUE(controller->catTree_DblClick());
    });
    controller->itemCat_Click();
    EXPECT_EQ(ws().master.topRow(), 6);
    EXPECT_TRUE(ws().chosenCat.isEmpty());
    EXPECT_EQ(ws().srchPos, 0);
    EXPECT_EQ(ws().master.selectedRow(), 0);
    browse([this] { controller->catTree_NodeClick(u"2480 LATE"_s); });
    controller->itemCat_Click();
    EXPECT_EQ(ws().master.topRow(), 11);  // among the last nine rows
}

TEST_F(CategoryBrowserTest, SectionsAndTheRootDoNotCloseAndMoveOnlyWhenAnItemMatches) {
    browse([this] {
        controller->catTree_NodeClick(u"Items"_s);
        EXPECT_FALSE(controller->catTree_DblClick());
        controller->catTree_NodeClick(u"2200 BASE"_s);
        EXPECT_FALSE(controller->catTree_DblClick());
    });
    controller->itemCat_Click();         // closed through its close box with the section chosen
    EXPECT_EQ(ws().master.topRow(), 5);  // an item number begins with 2200
    browse([this] { controller->catTree_NodeClick(u"2900 EMPTY SECTION"_s); });
    controller->itemCat_Click();
    EXPECT_EQ(ws().master.topRow(), 5);
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(CategoryBrowserTest, TreeIsReadOnceUntilTheWindowIsClosed) {
    const CategoryTree* first = &controller->getCat_Load();
    test::writeFile(sandbox.dataDir() + u"/itemcats.txt"_s, test::crlf({"3100 CHANGED"}));
    EXPECT_EQ(&controller->getCat_Load(), first);
    EXPECT_EQ(controller->getCat_Load().root.children.size(), 3u);
    controller->getCat_Unload();
    EXPECT_EQ(controller->getCat_Load().root.children.size(), 1u);
}

TEST_F(CategoryBrowserTest, MissingFileIsReportedAndLeavesTheRoot) {
    QFile::remove(sandbox.dataDir() + u"/itemcats.txt"_s);
    const CategoryTree& tree = controller->getCat_Load();
    EXPECT_TRUE(tree.root.children.empty());
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_TRUE(port.messages[0].text.contains(u"itemcats.txt"_s));
}

}  // namespace
}  // namespace veskplan
