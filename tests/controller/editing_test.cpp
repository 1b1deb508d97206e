#include <gtest/gtest.h>

#include "base/texts.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::ControllerTest;

TEST_F(ControllerTest, AddingTakesTheCurrentMasterRowUnderTheCategoryAndGoesToItsQuantity) {
    start();
    controller->editing().addCurrentMasterItem();  // the current row after a load is the last one
    EXPECT_EQ(projectRows(), std::vector<std::string>{"2599-0000100|01|FORCE ACCOUNT WORK" +
                                                      std::string(22, ' ') + "|LS  |"});
    EXPECT_TRUE(doc().isModified());
    EXPECT_TRUE(controller->guardedCommandsEnabled());
    EXPECT_EQ(port.lastFocus(), u"projItemDB"_s);
    EXPECT_EQ(controller->editing().gridState().currentColumn, ProjectGridModel::QuantityColumn);
    controller->editing().addCategory();
    addMasterRow(0);
    EXPECT_EQ(store().record(controller->editing().currentRow()).itemNumber, u"2101-0100000"_s);
    EXPECT_EQ(store().record(controller->editing().currentRow()).cat, u"02"_s);
    controller->editing().selectCategory(0);
    addMasterRow(0);
    addMasterRow(0);
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{texts::itemAlreadyInCategory()});
    EXPECT_EQ(store().record(controller->editing().currentRow()).cat,
              u"01"_s);                  // the item already there is shown
    controller->browsing().pickRow(-1);  // outside the rows: nothing happens
    controller->browsing().pickRow(6);
    EXPECT_EQ(controller->browsing().gridState().selectedRow, 0);
}

TEST_F(ControllerTest, RemovingSortingAndTypingGoThroughTheGrid) {
    start();
    for (int row : {0, 1, 2}) {
        addMasterRow(row);
    }
    controller->editing().setCurrentCell(1, ProjectGridModel::QuantityColumn);
    ProjectGridModel& model = controller->editing().model();
    EXPECT_FALSE(model.setData(model.index(1, ProjectGridModel::QuantityColumn), u"lots"_s));
    EXPECT_EQ(port.messageTexts().back(), texts::quantityNotANumber(u"lots"_s));
    EXPECT_TRUE(model.setData(model.index(1, ProjectGridModel::QuantityColumn), u"7.5"_s));
    EXPECT_EQ(store().record(1).quantity, 7.5);
    EXPECT_FALSE(model.flags(model.index(1, ProjectGridModel::DescriptionColumn))
                     .testFlag(Qt::ItemIsEditable));
    controller->editing().sortByHeading(ProjectGridModel::ItemNumberColumn);
    EXPECT_EQ(store().index(), IndexOrder::BridgeKey);
    EXPECT_EQ(controller->editing().currentRow(), 0);
    controller->editing().sortByHeading(ProjectGridModel::UnitsColumn);  // keeps the order
    EXPECT_EQ(store().index(), IndexOrder::BridgeKey);
    controller->editing().sortByHeading(ProjectGridModel::CatColumn);
    EXPECT_EQ(store().index(), IndexOrder::PrimaryKey);
    controller->editing().removeCurrentItem();
    controller->editing().removeCurrentItem();
    controller->editing().removeCurrentItem();
    EXPECT_EQ(store().recordCount(), 0);
    EXPECT_FALSE(controller->guardedCommandsEnabled());
}

TEST_F(ControllerTest, CategoriesAndHeaderFieldsChangeThroughTheirBoxes) {
    start();
    controller->editing().typeCategoryDescription(u"Roadway"_s);
    controller->editing().storeCategoryDescription();
    controller->editing().addCategory();
    EXPECT_EQ(boxes().numberIndex(), 1);
    EXPECT_TRUE(boxes().descriptionText().isEmpty());
    controller->editing().typeCategoryDescription(u"Bridge"_s);
    controller->editing().storeCategoryDescription();
    controller->editing().selectCategoryByDescription(0);
    EXPECT_EQ(boxes().numberIndex(), 0);
    EXPECT_EQ(boxes().descriptionText(), u"Roadway"_s);
    EXPECT_EQ(doc().categories().descriptions(), (QStringList{u"Roadway"_s, u"Bridge"_s}));
    for (int n = 3; n <= 99; ++n) {
        controller->editing().addCategory();
    }
    EXPECT_TRUE(port.messages.empty());
    controller->editing().addCategory();
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{texts::lastCategoryReached()});
    EXPECT_EQ(doc().categories().numbers().last(), u"99"_s);

    controller->editing().setProjectNumber(u"STP-12-B(7)03"_s);
    controller->editing().setDesigner(u"Pat Quinn"_s);
    controller->editing().setLettingMonth(1);
    EXPECT_EQ(doc().header().letMonthText(), u"February"_s);
    EXPECT_EQ(doc().header().projNum, u"STP-12-B(7)03"_s);
}

}  // namespace
}  // namespace veskplan
