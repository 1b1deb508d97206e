#include <gtest/gtest.h>
#include <QAbstractItemModelTester>

#include "shell/sqlitedb.h"
#include "shell/texts.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using test::ControllerTest;

class ItemEditorTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
    }
    // Items 1, 2 and 3 of the master list in category 01, item 1 also in category 02.
    void addFour() {
        addMasterRow(1);
        addMasterRow(2);
        addMasterRow(3);
        controller->addCat_Click();
        addMasterRow(1);
        port.clear();
    }
    std::string currentNumber() {
        return store().hasCurrent()
                   ? (store().current().itemNumber + u'/' + store().current().cat).toStdString()
                   : std::string("none");
    }
    ProjectGridModel& model() { return *ws().projectModel; }
};

TEST_F(ItemEditorTest, RemovingPicksTheRowAboveOrTheNewFirst) {
    struct Case {
        const char* name;
        int row;
        std::string current;
    };
    const Case cases[] = {
        {"first", 0, "2105-0500000/01"},
        {"middle", 1, "2101-0100000/01"},
        {"last", 3, "2301-0200000/01"},
    };
    for (const Case& c : cases) {
        ws().flags.projSaved = true;
        controller->mnuFileNew_Click();
        controller->catNum_Click(0);
        addFour();
        store().setCurrentRow(c.row);
        ws().flags.projSaved = true;
        controller->remItem_Click();
        EXPECT_EQ(store().recordCount(), 3) << c.name;
        EXPECT_EQ(currentNumber(), c.current) << c.name;
        EXPECT_FALSE(ws().flags.projSaved) << c.name;
        EXPECT_TRUE(ws().guardedEnabled) << c.name;
        EXPECT_TRUE(port.messages.empty()) << c.name;
    }
}

TEST_F(ItemEditorTest, RemovingTheOnlyItemDisablesTheCommands) {
    addMasterRow(1);
    controller->remItem_Click();
    EXPECT_EQ(store().recordCount(), 0);
    EXPECT_FALSE(ws().guardedEnabled);
}

TEST_F(ItemEditorTest, RemovingFromAnEmptyProjectDoesNothing) {
    controller->remItem_Click();
    EXPECT_TRUE(ws().flags.projSaved);
    EXPECT_TRUE(port.messages.empty());
    EXPECT_FALSE(ws().guardedEnabled);
}

TEST_F(ItemEditorTest, HeadingClicksChooseTheOrder) {
    addFour();
    controller->projItemDB_HeadClick(0);
    EXPECT_EQ(store().index(), IndexOrder::BridgeKey);
    EXPECT_EQ(store().record(0).cat, QStringLiteral("01"));
    EXPECT_EQ(store().record(1).itemNumber, QStringLiteral("2101-0100000"));
    EXPECT_EQ(store().record(1).cat, QStringLiteral("02"));
    EXPECT_EQ(store().currentRow(), 0);
    for (int column : {2, 3, 4}) {
        store().setCurrentRow(2);
        ws().projectColumnWidths = {1, 2, 3, 4, 5};
        controller->projItemDB_HeadClick(column);
        EXPECT_EQ(store().index(), IndexOrder::BridgeKey) << column;
        EXPECT_EQ(ws().projectColumnWidths, ProjectGridModel::standardWidths()) << column;
        EXPECT_EQ(store().currentRow(), 0) << column;
    }
    controller->projItemDB_HeadClick(1);
    EXPECT_EQ(store().index(), IndexOrder::PrimaryKey);
    EXPECT_EQ(store().record(3).cat, QStringLiteral("02"));
    EXPECT_TRUE(ws().flags.projSaved == false);  // only the adds changed it
}

TEST_F(ItemEditorTest, OnlyQuantityAndTheFreeTextDescriptionTakeTyping) {
    addMasterRow(1);
    addMasterRow(5);
    test::makeProjectFile(projectPath(QStringLiteral("short.vsk")), {});
    const int ordinary = 0;
    const int freeText = 1;
    for (int column : {0, 1, 2, 3}) {
        EXPECT_FALSE(model().flags(model().index(ordinary, column)).testFlag(Qt::ItemIsEditable))
            << column;
    }
    EXPECT_TRUE(model().flags(model().index(ordinary, 4)).testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(model().flags(model().index(freeText, 2)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(model().setData(model().index(ordinary, 2), QStringLiteral("CHANGED")));
    EXPECT_TRUE(model().setData(model().index(freeText, 2), QStringLiteral("LIGHTING SURVEY")));
    EXPECT_EQ(store().record(1).description, QStringLiteral("LIGHTING SURVEY"));
}

TEST_F(ItemEditorTest, FreeTextRuleIgnoresTrailingBlanksOnly) {
    struct Case {
        const char* number;
        bool editable;
    };
    const Case cases[] = {{"2599-9999", true},   {"2599-9999   ", true},  {"2599-9999001", false},
                          {" 2599-9999", false}, {"2599-0000100", false}, {"2599-9999  <<", false}};
    for (const Case& c : cases) {
        EXPECT_EQ(ItemEditor::isFreeTextItem(QString::fromLatin1(c.number)), c.editable)
            << c.number;
    }
}

TEST_F(ItemEditorTest, QuantityIsStoredAtOnceAndMarksUnsaved) {
    addMasterRow(1);
    addMasterRow(2);
    store().setCurrentRow(0);
    ws().flags.projSaved = true;
    EXPECT_TRUE(model().setData(model().index(1, 4), QStringLiteral("120")));
    EXPECT_EQ(store().record(1).quantity, 120.0);
    EXPECT_EQ(model().index(1, 4).data().toString(), QStringLiteral("120"));
    EXPECT_FALSE(ws().flags.projSaved);
    EXPECT_EQ(store().currentRow(), 1);
    {
        // Written to the file, not only to memory.
        SqliteDb db(store().path(), SqliteDb::Mode::ReadOnly);
        auto select =
            db.prepare("SELECT \"Quantity\" FROM veskdata WHERE \"Item Number\" = '2105-0500000'");
        ASSERT_TRUE(select.step());
        EXPECT_EQ(select.real(0), 120.0);
    }
    // Clearing the cell empties the quantity.
    EXPECT_TRUE(model().setData(model().index(1, 4), QString()));
    EXPECT_FALSE(store().record(1).quantity.has_value());
}

TEST_F(ItemEditorTest, NonNumericQuantityIsRefusedAndTheCellKeepsItsValue) {
    addMasterRow(1);
    ASSERT_TRUE(model().setData(model().index(0, 4), QStringLiteral("4.5")));
    port.clear();
    ws().flags.projSaved = true;
    EXPECT_FALSE(model().setData(model().index(0, 4), QStringLiteral("12 ft")));
    EXPECT_EQ(store().record(0).quantity, 4.5);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text, texts::quantityNotANumber(QStringLiteral("12 ft")));
    EXPECT_TRUE(ws().flags.projSaved);
}

TEST_F(ItemEditorTest, GridModelFollowsTheStoreAndPassesTheModelTester) {
    QAbstractItemModelTester tester(&model(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    addFour();
    EXPECT_EQ(model().rowCount(), 4);
    EXPECT_EQ(model().headerData(4, Qt::Horizontal).toString(), QStringLiteral("Quantity"));
    EXPECT_EQ(model().headerData(1, Qt::Horizontal).toString(), QStringLiteral("Cat"));
    controller->projItemDB_HeadClick(0);
    store().setCurrentRow(2);
    controller->remItem_Click();
    ASSERT_TRUE(model().setData(model().index(0, 4), QStringLiteral("7")));
    port.answers = {Answer::No};
    controller->mnuFileNew_Click();
    EXPECT_EQ(model().rowCount(), 0);
}

}  // namespace
}  // namespace veskplan
