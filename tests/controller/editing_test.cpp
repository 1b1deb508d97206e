#include <gtest/gtest.h>

#include "base/texts.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::ControllerTest;

TEST_F(ControllerTest, AddingTakesTheCurrentMasterRowUnderTheCategoryAndGoesToItsQuantity) {
    start();
    controller->mastItemList_DblClick();  // the current row after a load is the last one
    EXPECT_EQ(projectRows(), std::vector<std::string>{"2599-0000100|01|FORCE ACCOUNT WORK" +
                                                      std::string(22, ' ') + "|LS  |"});
    EXPECT_TRUE(doc().isModified());
    EXPECT_TRUE(controller->guardedCommandsEnabled());
    EXPECT_EQ(port.lastFocus(), u"projItemDB"_s);
    EXPECT_EQ(controller->projectGrid().currentColumn, ProjectGridModel::QuantityColumn);
    controller->addCat_Click();
    addMasterRow(0);
    EXPECT_EQ(store().record(controller->currentProjectRow()).itemNumber, u"2101-0100000"_s);
    EXPECT_EQ(store().record(controller->currentProjectRow()).cat, u"02"_s);
    controller->catNum_Click(0);
    addMasterRow(0);
    addMasterRow(0);
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{texts::itemAlreadyInCategory()});
    EXPECT_EQ(store().record(controller->currentProjectRow()).cat,
              u"01"_s);                  // the item already there is shown
    controller->mastItemList_Click(-1);  // outside the rows: nothing happens
    controller->mastItemList_Click(6);
    EXPECT_EQ(master().grid().selectedRow(), 0);
}

TEST_F(ControllerTest, RemovingSortingAndTypingGoThroughTheGrid) {
    start();
    for (int row : {0, 1, 2}) {
        addMasterRow(row);
    }
    controller->projItemDB_RowColChange(1, ProjectGridModel::QuantityColumn);
    ProjectGridModel& model = controller->projectModel();
    EXPECT_FALSE(model.setData(model.index(1, ProjectGridModel::QuantityColumn), u"lots"_s));
    EXPECT_EQ(port.messageTexts().back(), texts::quantityNotANumber(u"lots"_s));
    EXPECT_TRUE(model.setData(model.index(1, ProjectGridModel::QuantityColumn), u"7.5"_s));
    EXPECT_EQ(store().record(1).quantity, 7.5);
    EXPECT_FALSE(model.flags(model.index(1, ProjectGridModel::DescriptionColumn))
                     .testFlag(Qt::ItemIsEditable));
    controller->projItemDB_HeadClick(ProjectGridModel::ItemNumberColumn);
    EXPECT_EQ(store().index(), IndexOrder::BridgeKey);
    EXPECT_EQ(controller->currentProjectRow(), 0);
    controller->projItemDB_HeadClick(ProjectGridModel::UnitsColumn);  // keeps the order
    EXPECT_EQ(store().index(), IndexOrder::BridgeKey);
    controller->projItemDB_HeadClick(ProjectGridModel::CatColumn);
    EXPECT_EQ(store().index(), IndexOrder::PrimaryKey);
    controller->remItem_Click();
    controller->remItem_Click();
    controller->remItem_Click();
    EXPECT_EQ(store().recordCount(), 0);
    EXPECT_FALSE(controller->guardedCommandsEnabled());
}

TEST_F(ControllerTest, CategoriesAndHeaderFieldsChangeThroughTheirBoxes) {
    start();
    controller->catDesc_Change(u"Roadway"_s);
    controller->catDesc_LostFocus();
    controller->addCat_Click();
    EXPECT_EQ(boxes().numberIndex(), 1);
    EXPECT_TRUE(boxes().descriptionText().isEmpty());
    controller->catDesc_Change(u"Bridge"_s);
    controller->catDesc_LostFocus();
    controller->catDesc_Click(0);
    EXPECT_EQ(boxes().numberIndex(), 0);
    EXPECT_EQ(boxes().descriptionText(), u"Roadway"_s);
    EXPECT_EQ(doc().categories().descriptions(), (QStringList{u"Roadway"_s, u"Bridge"_s}));
    for (int n = 3; n <= 99; ++n) {
        controller->addCat_Click();
    }
    EXPECT_TRUE(port.messages.empty());
    controller->addCat_Click();
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{texts::lastCategoryReached()});
    EXPECT_EQ(doc().categories().numbers().last(), u"99"_s);

    controller->projNum_Change(u"STP-12-B(7)03"_s);
    controller->designer_Change(u"Pat Quinn"_s);
    controller->letMonth_Click(1);
    EXPECT_EQ(doc().header().letMonthText(), u"February"_s);
    EXPECT_EQ(doc().header().projNum, u"STP-12-B(7)03"_s);
}

}  // namespace
}  // namespace veskplan
