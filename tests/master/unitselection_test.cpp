#include <gtest/gtest.h>

#include "shell/texts.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using test::ControllerTest;

class UnitSelectionTest : public ControllerTest {};

TEST_F(UnitSelectionTest, StartUpLoadsTheEnglishListIntoAnEmptySavedProject) {
    start();
    const Workspace& w = ws();
    EXPECT_EQ(w.engMet, 0);
    EXPECT_EQ(w.mastUnitLoaded, 0);
    EXPECT_EQ(w.master.list().count(), 6);
    EXPECT_EQ(w.master.list().mastNum(5).toString(), QStringLiteral("2599-9999   "));
    EXPECT_EQ(w.mastRevDate, QStringLiteral("Revised 3/14/26"));
    EXPECT_TRUE(w.flags.projSaved);
    EXPECT_TRUE(w.flags.projUntitled);
    EXPECT_TRUE(w.flags.projFile.isEmpty());
    EXPECT_FALSE(w.guardedEnabled);
    EXPECT_EQ(w.srchPos, 0);
    EXPECT_EQ(w.categories.numbers(), QStringList{QStringLiteral("01")});
    EXPECT_EQ(w.categories.numberIndex(), 0);
    EXPECT_EQ(w.store->recordCount(), 0);
    // The grid starts at the top; the current row is the last one loaded.
    EXPECT_EQ(w.master.topRow(), 1);
    EXPECT_EQ(w.master.currentRow(), 6);
    EXPECT_EQ(w.config.mastDir, sandbox.dataDir());
}

TEST_F(UnitSelectionTest, StartUpGivesTheFocusToSections) {
    controller = makeController();
    controller->Form_Load();
    ASSERT_FALSE(port.focus.empty());
    EXPECT_EQ(port.focus.back(), QStringLiteral("itemCat"));
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(port.busyDepth, 0);
}

TEST_F(UnitSelectionTest, WithAnEmptyProjectTheSelectorLoadsAtOnce) {
    start();
    controller->engMet_Click(1);
    EXPECT_EQ(ws().master.list().count(), 3);
    EXPECT_EQ(ws().mastUnitLoaded, 1);
    EXPECT_EQ(ws().mastRevDate, QStringLiteral("Revised 4/2/26"));
    EXPECT_TRUE(port.messages.empty());
    EXPECT_GT(port.busyCount, 0);
    // The same unit again reloads the file: a changed file shows.
    test::writeFile(sandbox.dataDir() + QStringLiteral("/itemsm.txt"), test::crlf({"X"}));
    controller->engMet_Click(1);
    EXPECT_EQ(ws().master.list().count(), 1);
}

TEST_F(UnitSelectionTest, WithItemsTheSameUnitDoesNothing) {
    start();
    addMasterRow(1);
    port.clear();
    controller->engMet_Click(0);
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(port.busyCount, 0);
}

TEST_F(UnitSelectionTest, WithItemsNoKeepsTheUnitTheListAndTheProject) {
    start();
    addMasterRow(1);
    port.clear();
    port.answers = {Answer::No};
    controller->engMet_Click(1);
    ASSERT_EQ(port.messages.size(), 1u);
    const MessageRequest& question = port.messages[0];
    EXPECT_EQ(question.title, QStringLiteral("Change Master Item List"));
    EXPECT_EQ(question.text,
              QStringLiteral("WARNING!\nYou must begin a new project in order to change the unit "
                             "of measurement\nDo you want to start a new project?"));
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.icon, MessageIcon::Exclamation);
    EXPECT_EQ(ws().engMet, 0);
    EXPECT_EQ(ws().master.list().count(), 6);
    EXPECT_EQ(store().recordCount(), 1);
}

TEST_F(UnitSelectionTest, WithItemsYesStartsANewProjectAndLoadsTheOtherList) {
    start();
    addMasterRow(1);
    port.clear();
    port.answers = {Answer::Yes, Answer::No};  // change the list; do not save the project
    controller->engMet_Click(1);
    EXPECT_EQ(store().recordCount(), 0);
    EXPECT_EQ(ws().engMet, 1);
    EXPECT_EQ(ws().master.list().count(), 3);
    EXPECT_EQ(port.messages.size(), 2u);
    EXPECT_EQ(port.messages[1].title, QStringLiteral("Attention"));
}

TEST_F(UnitSelectionTest, YesThenCancelInTheSavePromptKeepsEverything) {
    start();
    addMasterRow(1);
    port.clear();
    port.answers = {Answer::Yes, Answer::Cancel};
    controller->engMet_Click(1);
    EXPECT_EQ(store().recordCount(), 1);
    EXPECT_EQ(ws().engMet, 0);
    EXPECT_EQ(ws().mastUnitLoaded, 0);
    EXPECT_EQ(ws().master.list().count(), 6);
    EXPECT_FALSE(ws().flags.projSaved);
}

TEST_F(UnitSelectionTest, SearchStateSurvivesAUnitSwitch) {
    start();
    controller->srchStr_Change(QStringLiteral("PIPE"));
    controller->findNext_Click();
    ASSERT_EQ(ws().srchPos, 4);
    controller->engMet_Click(1);
    EXPECT_EQ(ws().srchPos, 4);
    EXPECT_EQ(ws().srchStr, QStringLiteral("PIPE"));
}

TEST_F(UnitSelectionTest, MissingListIsReportedAndLeavesAnEmptyGrid) {
    start();
    QFile::remove(sandbox.dataDir() + QStringLiteral("/itemsm.txt"));
    controller->engMet_Click(1);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_TRUE(port.messages[0].text.contains(QStringLiteral("itemsm.txt")));
    EXPECT_FALSE(port.messageWhileBusy);
    EXPECT_EQ(ws().master.list().count(), 0);
    EXPECT_EQ(ws().mastUnitLoaded, 1);
    // Adding from an empty list adds nothing, and the program goes on.
    controller->addItem_Click();
    EXPECT_EQ(store().recordCount(), 0);
    controller->engMet_Click(0);
    EXPECT_EQ(ws().master.list().count(), 6);
}

TEST_F(UnitSelectionTest, EmptyFileThenNormalFile) {
    test::writeFile(sandbox.dataDir() + QStringLiteral("/itemse.txt"), QByteArray());
    start();
    EXPECT_EQ(ws().master.list().count(), 0);
    EXPECT_EQ(ws().master.topRow(), 0);
    EXPECT_TRUE(port.messages.empty());
    test::writeFile(sandbox.dataDir() + QStringLiteral("/itemse.txt"), englishList());
    controller->engMet_Click(0);
    EXPECT_EQ(ws().master.list().count(), 6);
    EXPECT_EQ(ws().master.topRow(), 1);
}

}  // namespace
}  // namespace veskplan
