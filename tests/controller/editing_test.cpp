#include <gtest/gtest.h>

#include "controller/controllertexts.h"
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
    EXPECT_EQ(std::tuple(port.lastFocus(), controller->editing().gridState().currentColumn),
              std::tuple(u"projItemDB"_s, int(ProjectGridModel::QuantityColumn)));
    controller->editing().addCategory();
    addMasterRow(0);
    const auto current = [this] { return store().record(controller->editing().currentRow()); };
    EXPECT_EQ(current().itemNumber + current().cat, u"2101-010000002"_s);
    controller->editing().selectCategory(0);
    addMasterRow(0);
    addMasterRow(0);
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{texts::itemAlreadyInCategory()});
    EXPECT_EQ(current().cat, u"01"_s);   // the item already there is shown
    controller->browsing().pickRow(-1);  // outside the rows: nothing happens
    controller->browsing().pickRow(6);
    EXPECT_EQ(controller->browsing().gridState().selectedRow, 0);
    port.clear();
    for (int n = 3; n <= 100; ++n) {  // the last one is 99
        controller->editing().addCategory();
    }
    EXPECT_EQ(port.messageTexts(), std::vector<QString>{texts::lastCategoryReached()});
    EXPECT_EQ(doc().categories().numbers().last(), u"99"_s);
}

// Rows all replaced (another project, a new order) leave no current cell: the grid starts at the
// first row it shows, in the column the user was in; a current cell stays.
TEST_F(ControllerTest, AGridWithoutACurrentCellStartsAtTheFirstRowItShows) {
    start();
    addMasterRow(2);
    addMasterRow(0);
    ProjectEditing& editing = controller->editing();
    editing.sortByHeading(ProjectGridModel::ItemNumberColumn);
    editing.selection().clear();
    editing.startAtFirstRowIfNoneCurrent();
    ASSERT_GE(editing.currentRow(), 0);
    EXPECT_EQ(std::pair(store().record(editing.currentRow()).itemNumber,
                        editing.selection().currentIndex().column()),
              std::pair(u"2101-0100000"_s, int(ProjectGridModel::QuantityColumn)));
    editing.setCurrentCell(store().recordCount() - 1, ProjectGridModel::DescriptionColumn);
    const QModelIndex current = editing.selection().currentIndex();
    editing.startAtFirstRowIfNoneCurrent();
    EXPECT_EQ(editing.selection().currentIndex(), current);
    doc().setModified(false);
    controller->files().newProject();  // as blank as the first one: in working order
    EXPECT_EQ(editing.gridState().order(), IndexOrder::PrimaryKey);
}

// From the current row down, each value checked as a typed one.
TEST_F(ControllerTest, PastedAndTypedQuantitiesGoThroughTheGridAsOneStepOrNotAtAll) {
    start();
    for (int row : {0, 1, 2}) {
        addMasterRow(row);
    }
    using Quantities = std::vector<std::optional<double>>;
    const int qty = ProjectGridModel::QuantityColumn;
    const Quantities kept{1, 4, 5.5};
    const QString bags = texts::pastedQuantityNotANumber(u"9 bags"_s, 2, u"2105-0500000"_s);
    // The cell, the clipboard's text, the quantities after it and the message.
    const std::tuple<int, int, QString, Quantities, QString> cases[] = {
        {0, qty, u"1\r\n2.5\r\n"_s, {1, 2.5, std::nullopt}, {}},
        {1, qty, u"3\t\n\n"_s, {1, 3, std::nullopt}, {}},  // a trailing tab; an empty cell
        {1, qty, u"4\r5.5"_s, kept, {}},
        {2, qty, u"6\n7\n"_s, kept, texts::pastePastLastRow(2, 3, 3)},
        {0, qty, u"8\n9 bags\n1"_s, kept, bags},
        {0, ProjectGridModel::DescriptionColumn, u"8"_s, kept, texts::pasteOnlyIntoQuantities()},
        {0, qty, QString(), kept, {}},  // nothing on the clipboard
    };
    QUndoStack& history = doc().undoStack();
    for (const auto& [row, column, text, after, message] : cases) {
        SCOPED_TRACE(text.toStdString());
        port.clear();
        const int steps = history.count();
        controller->editing().setCurrentCell(row, column);
        const bool stored = message.isNull() && !text.isEmpty();
        EXPECT_EQ(controller->editing().pasteQuantities(text), stored);
        EXPECT_EQ(test::quantitiesOf(store()), after);
        EXPECT_EQ(port.messageTexts(),
                  message.isNull() ? std::vector<QString>{} : std::vector<QString>{message});
        EXPECT_EQ(history.count(), steps + (stored ? 1 : 0));
    }
    doc().undoStack().undo();
    EXPECT_EQ(test::quantitiesOf(store()), (Quantities{1, 3, std::nullopt}));
    // A typed quantity meets the same rules.
    controller->editing().setCurrentCell(1, ProjectGridModel::QuantityColumn);
    ProjectGridModel& model = controller->editing().model();
    EXPECT_FALSE(model.setData(model.index(1, ProjectGridModel::QuantityColumn), u"lots"_s));
    EXPECT_EQ(port.messageTexts().back(), texts::quantityNotANumber(u"lots"_s));
    EXPECT_TRUE(model.setData(model.index(1, ProjectGridModel::QuantityColumn), u"7.5"_s));
    EXPECT_EQ(store().record(1).quantity, 7.5);
    EXPECT_FALSE(model.flags(model.index(1, ProjectGridModel::DescriptionColumn))
                     .testFlag(Qt::ItemIsEditable));
}

}  // namespace
}  // namespace veskplan
