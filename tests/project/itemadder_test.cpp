#include <gtest/gtest.h>

#include "shell/texts.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using test::ControllerTest;

class ItemAdderTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
    }
};

TEST_F(ItemAdderTest, AddsTheCurrentMasterRowUnderTheCurrentCategory) {
    controller->mastItemList_Click(2);
    EXPECT_EQ(port.lastFocus(), QStringLiteral("addItem"));
    controller->addItem_Click();
    EXPECT_EQ(projectRows(),
              (std::vector<std::string>{
                  "2105-0500000|01|COMMON EXCAVATION                       |CY  |"}));
    EXPECT_FALSE(ws().flags.projSaved);
    EXPECT_TRUE(ws().guardedEnabled);
    EXPECT_EQ(store().currentRow(), 0);
    EXPECT_EQ(ws().projectColumn, 4);
    EXPECT_EQ(port.lastFocus(), QStringLiteral("projItemDB"));
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(ItemAdderTest, DoubleClickAddsTheClickedRow) {
    controller->mastItemList_Click(3);
    controller->mastItemList_DblClick();
    ASSERT_EQ(store().recordCount(), 1);
    EXPECT_EQ(store().record(0).itemNumber, QStringLiteral("2301-0200000"));
}

TEST_F(ItemAdderTest, NewRecordBecomesCurrentAmongOthers) {
    addMasterRow(4);
    addMasterRow(1);
    addMasterRow(3);
    EXPECT_EQ(store().current().itemNumber, QStringLiteral("2301-0200000"));
    EXPECT_EQ(store().currentRow(), 1);
    EXPECT_FALSE(store().current().quantity.has_value());
}

TEST_F(ItemAdderTest, SameItemInTheSameCategoryIsRefusedAndShown) {
    addMasterRow(1);
    addMasterRow(2);
    port.clear();
    addMasterRow(1);
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{texts::itemAlreadyInCategory()});
    EXPECT_EQ(port.messages[0].text,
              QStringLiteral("Warning!\nThis item has already been included in this Category in "
                             "the Project Item List"));
    EXPECT_EQ(port.messages[0].title, QStringLiteral("veskplan"));
    EXPECT_EQ(port.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(store().recordCount(), 2);
    EXPECT_EQ(store().current().itemNumber, QStringLiteral("2101-0100000"));
}

TEST_F(ItemAdderTest, SameItemInAnotherCategoryIsAdded) {
    addMasterRow(1);
    controller->addCat_Click();
    addMasterRow(1);
    EXPECT_EQ(store().recordCount(), 2);
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(ItemAdderTest, FreeTextItemSkipsTheCategoryCheckButMeetsTheKey) {
    addMasterRow(5);
    port.clear();
    addMasterRow(5);
    EXPECT_EQ(port.messageTexts(),
              std::vector<QString>{QStringLiteral("Warning!\nThis item has already been included "
                                                  "in the project item list")});
    EXPECT_EQ(store().recordCount(), 1);
    EXPECT_FALSE(ws().flags.projSaved);
    // With its description changed, the second one fits.
    ASSERT_TRUE(controller->itemEditor().editCell(0, 2, QStringLiteral("TRAFFIC SIGNAL TIMING")));
    port.clear();
    addMasterRow(5);
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(store().recordCount(), 2);
    // Other "2599" items are exempt from the category check too.
    addMasterRow(6);
    port.clear();
    addMasterRow(6);
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{texts::itemAlreadyInProject()});
}

TEST_F(ItemAdderTest, ComparisonIsExact) {
    // A stored number that differs only by trailing blanks counts as another item.
    test::makeProjectFile(projectPath(QStringLiteral("b.vsk")),
                          {test::rec("0000-2000000", "00", "3/14/26", "-1"),
                           test::rec("2101-0100000 ", "01", "CLEARING", "ACRE")});
    port.files = {projectPath(QStringLiteral("b.vsk"))};
    controller->mnuFileOpen_Click();
    port.clear();
    addMasterRow(1);
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(store().recordCount(), 2);
}

TEST_F(ItemAdderTest, OnlyTheFirstItemEnablesTheCommands) {
    addMasterRow(1);
    EXPECT_TRUE(ws().guardedEnabled);
    ws().guardedEnabled = false;
    addMasterRow(2);
    EXPECT_FALSE(ws().guardedEnabled);
}

TEST_F(ItemAdderTest, ClickOutsideTheRowsChangesNothing) {
    controller->mastItemList_Click(0);
    controller->mastItemList_Click(7);
    EXPECT_TRUE(port.focus.empty());
    EXPECT_EQ(ws().srchPos, 0);
}

}  // namespace
}  // namespace veskplan
