#include <gtest/gtest.h>

#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using test::ControllerTest;

class CategoryEditorTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
    }
    QStringList numbers() { return ws().categories.numbers(); }
};

TEST_F(CategoryEditorTest, PlusAppendsTheNextNumberAndSelectsIt) {
    controller->addCat_Click();
    controller->addCat_Click();
    controller->catNum_Click(0);
    ws().flags.projSaved = true;
    controller->addCat_Click();
    EXPECT_EQ(numbers(), (QStringList{QStringLiteral("01"), QStringLiteral("02"),
                                      QStringLiteral("03"), QStringLiteral("04")}));
    EXPECT_EQ(ws().categories.numberIndex(), 3);
    EXPECT_EQ(ws().categories.descriptionIndex(), 3);
    EXPECT_TRUE(ws().categories.descriptionText().isEmpty());
    EXPECT_EQ(ws().categories.currentNumber(), QStringLiteral("04"));
    EXPECT_FALSE(ws().flags.projSaved);
}

TEST_F(CategoryEditorTest, NumbersKeepTwoDigitsUpToNinetyNineAndStopThere) {
    for (int i = 0; i < 98; ++i) {
        controller->addCat_Click();
    }
    EXPECT_EQ(numbers()[8], QStringLiteral("09"));
    EXPECT_EQ(numbers()[9], QStringLiteral("10"));
    EXPECT_EQ(numbers().last(), QStringLiteral("99"));
    EXPECT_TRUE(port.messages.empty());
    controller->addCat_Click();
    EXPECT_EQ(numbers().size(), 99);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_TRUE(port.messages[0].text.contains(QStringLiteral("99")));
}

TEST_F(CategoryEditorTest, TheTwoBoxesMoveTogether) {
    controller->addCat_Click();
    controller->addCat_Click();
    controller->catDesc_Click(2);
    EXPECT_EQ(ws().categories.numberIndex(), 2);
    controller->catNum_Click(1);
    EXPECT_EQ(ws().categories.descriptionIndex(), 1);
    EXPECT_EQ(ws().categories.currentNumber(), QStringLiteral("02"));
}

TEST_F(CategoryEditorTest, TypedDescriptionIsStoredWhenTheBoxIsLeft) {
    controller->addCat_Click();
    ws().flags.projSaved = true;
    controller->catDesc_Change(QStringLiteral("Ramp B"));
    EXPECT_FALSE(ws().flags.projSaved);
    controller->catDesc_LostFocus();
    EXPECT_EQ(ws().categories.descriptions()[1], QStringLiteral("Ramp B"));
    controller->catNum_Click(0);
    EXPECT_TRUE(ws().categories.descriptionText().isEmpty());
    controller->catNum_Click(1);
    EXPECT_EQ(ws().categories.descriptionText(), QStringLiteral("Ramp B"));
}

TEST_F(CategoryEditorTest, LeavingTheBoxWithoutTypingIsNoChange) {
    controller->catDesc_LostFocus();
    EXPECT_TRUE(ws().flags.projSaved);
}

TEST_F(CategoryEditorTest, HeaderFieldsMarkTheProjectUnsaved) {
    struct Case {
        const char* name;
        std::function<void()> edit;
    };
    const Case cases[] = {
        {"project number", [this] { controller->projNum_Change(QStringLiteral("X-1")); }},
        {"designer", [this] { controller->designer_Change(QStringLiteral("Kim")); }},
        {"letting month", [this] { controller->letMonth_Click(5); }},
        {"category", [this] { controller->addCat_Click(); }},
    };
    for (const Case& c : cases) {
        ws().flags.projSaved = true;
        c.edit();
        EXPECT_FALSE(ws().flags.projSaved) << c.name;
    }
}

TEST_F(CategoryEditorTest, ProjectNumberHoldsAtMostTwentyFiveCharacters) {
    controller->projNum_Change(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123"));
    EXPECT_EQ(ws().header.projNum, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY"));
}

}  // namespace
}  // namespace veskplan
