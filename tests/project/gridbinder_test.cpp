#include <gtest/gtest.h>

#include "project/gridbinder.h"
#include "shell/sqlitedb.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using test::ControllerTest;
using test::makeProjectFile;
using test::rec;

class GridBinderTest : public ControllerTest {
protected:
    void open(const QString& path) {
        port.files = {path};
        controller->mnuFileOpen_Click();
    }
    // A saved project: header rows, `categories` category rows and the given items.
    std::vector<ProjectRecord> saved(const char* masterDate, std::vector<ProjectRecord> items) {
        std::vector<ProjectRecord> rows = {
            rec("0000-1000000", "00", "STP-12-B(7)03            Pat Quinn", "0"),
            rec("0000-2000000", "00", masterDate, "2"),
            rec("0000-0000001", "00", "Mainline", "01"),
            rec("0000-0000002", "00", "No Description", "02"),
            rec("0000-0000003", "00", "Ramps", "03"),
        };
        rows.insert(rows.end(), items.begin(), items.end());
        return rows;
    }
};

TEST_F(GridBinderTest, SpecialRowsGoIntoTheControlsAndLeaveTheTable) {
    start();
    makeProjectFile(projectPath(QStringLiteral("p.vsk")),
                    saved("3/14/26", {rec("2101-0100000", "01", "CLEARING", "ACRE", 2),
                                      rec("2301-0200000", "03", "CONCRETE", "SY")}));
    open(projectPath(QStringLiteral("p.vsk")));
    EXPECT_EQ(ws().header.projNum, QStringLiteral("STP-12-B(7)03"));
    EXPECT_EQ(ws().header.designer, QStringLiteral("Pat Quinn"));
    EXPECT_EQ(ws().header.letMonth, 2);
    EXPECT_EQ(ws().flags.projMastDate, QStringLiteral("3/14/26"));
    EXPECT_EQ(ws().categories.numbers(),
              (QStringList{QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03")}));
    EXPECT_EQ(ws().categories.descriptions(),
              (QStringList{QStringLiteral("Mainline"), QStringLiteral("No Description"),
                           QStringLiteral("Ramps")}));
    EXPECT_EQ(ws().categories.numberIndex(), 0);
    EXPECT_EQ(ws().categories.descriptionIndex(), 0);
    EXPECT_EQ(ws().categories.descriptionText(), QStringLiteral("Mainline"));
    EXPECT_EQ(projectRows(), (std::vector<std::string>{"2101-0100000|01|CLEARING|ACRE|2",
                                                       "2301-0200000|03|CONCRETE|SY|"}));
    EXPECT_TRUE(ws().guardedEnabled);
    EXPECT_TRUE(ws().flags.projSaved);
    EXPECT_FALSE(ws().flags.projUntitled);
    EXPECT_EQ(ws().flags.projFile, projectPath(QStringLiteral("p.vsk")));
    EXPECT_EQ(store().currentRow(), 0);
    EXPECT_TRUE(port.messages.empty());  // same master date: no check
}

TEST_F(GridBinderTest, ShortProjectNumberIsPaddedInTheFileAndComesBackUnchanged) {
    start();
    addMasterRow(1);
    controller->projNum_Change(QStringLiteral("SR-123"));
    controller->designer_Change(QStringLiteral("Lee"));
    port.files = {projectPath(QStringLiteral("s.vsk"))};
    controller->mnuFileSave_Click();
    // Read the file as another tool would.
    bool found = false;
    SqliteDb db(projectPath(QStringLiteral("s.vsk")), SqliteDb::Mode::ReadOnly);
    auto select =
        db.prepare("SELECT \"Description\" FROM veskdata WHERE \"Item Number\" = '0000-1000000'");
    if (select.step()) {
        found = true;
        EXPECT_EQ(select.text(0),
                  QStringLiteral("SR-123") + QString(19, u' ') + QStringLiteral("Lee"));
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(ws().header.projNum, QStringLiteral("SR-123"));
    EXPECT_EQ(ws().header.designer, QStringLiteral("Lee"));
}

TEST_F(GridBinderTest, ProjectUnitReloadsTheListWithoutAQuestion) {
    start();
    std::vector<ProjectRecord> rows =
        saved("4/2/26", {rec("2101-0100000", "01", "CLEARING", "HA")});
    rows[0].units = QStringLiteral("1");
    makeProjectFile(projectPath(QStringLiteral("m.vsk")), rows);
    open(projectPath(QStringLiteral("m.vsk")));
    EXPECT_EQ(ws().engMet, 1);
    EXPECT_EQ(ws().mastUnitLoaded, 1);
    EXPECT_EQ(ws().master.list().count(), 3);
    EXPECT_FALSE(ws().unitFromProject);
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(GridBinderTest, FileWithItemRowsOnlyIsOpened) {
    start();
    controller->projNum_Change(QStringLiteral("KEEP"));
    controller->letMonth_Click(4);
    ws().flags.projSaved = true;
    makeProjectFile(projectPath(QStringLiteral("items.vsk")),
                    {rec("2101-0100000", "01", "CLEARING", "ACRE"),
                     rec("2105-0500000", "03", "COMMON EXCAVATION", "CY", 5)});
    port.answers = {Answer::Ok};
    open(projectPath(QStringLiteral("items.vsk")));
    EXPECT_EQ(store().recordCount(), 2);
    EXPECT_TRUE(ws().header.projNum.isEmpty());
    EXPECT_EQ(ws().header.letMonth, 4);  // no second header row: unchanged
    EXPECT_EQ(ws().engMet, 0);
    // Categories up to the highest one the items use, so each can be chosen.
    EXPECT_EQ(ws().categories.numbers(),
              (QStringList{QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03")}));
    EXPECT_TRUE(ws().guardedEnabled);
}

TEST_F(GridBinderTest, EmptyTableLeavesOneCategoryAndTheCommandsAlone) {
    start();
    ws().guardedEnabled = true;  // whatever they were
    controller->binder().setupGrid();
    EXPECT_EQ(ws().categories.numbers(), QStringList{QStringLiteral("01")});
    EXPECT_EQ(ws().categories.descriptions(), QStringList{QString()});
    EXPECT_EQ(ws().categories.numberIndex(), 0);
    EXPECT_TRUE(ws().guardedEnabled);
}

TEST_F(GridBinderTest, RevisionCheckMarksAndUnmarksOnceWhenTheDatesDiffer) {
    start();
    makeProjectFile(projectPath(QStringLiteral("old.vsk")),
                    saved("1/1/20", {rec("2101-0100000", "01", "IN LIST"),
                                     rec("2101-0100000  <<", "02", "MARKED BUT IN LIST"),
                                     rec("9999-0000001", "01", "NOT IN LIST"),
                                     rec("9999-0000002  <<", "02", "STILL NOT"),
                                     rec("2599-9999   ", "01", "FREE TEXT"),
                                     rec("2105-0500000XYZW", "03", "SIXTEEN CHARACTERS")}));
    open(projectPath(QStringLiteral("old.vsk")));
    EXPECT_EQ(projectRows(),
              (std::vector<std::string>{
                  "2101-0100000|01|IN LIST||", "2599-9999   |01|FREE TEXT||",
                  "9999-0000001  <<|01|NOT IN LIST||", "2101-0100000|02|MARKED BUT IN LIST||",
                  "9999-0000002  <<|02|STILL NOT||", "2105-0500000|03|SIXTEEN CHARACTERS||"}));
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text,
              QStringLiteral("The Date of the Master Item List used for this project (1/1/20) was "
                             "not the same as the current Master Item List (3/14/26)\nItems not "
                             "found in the current Master Item List have been marked with <<"));
    EXPECT_EQ(port.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(port.messages[0].title, QStringLiteral("veskplan"));
    EXPECT_TRUE(ws().flags.projSaved);
}

TEST_F(GridBinderTest, SameDatesCompareNothingAndKeepMarks) {
    start();
    makeProjectFile(projectPath(QStringLiteral("same.vsk")),
                    saved("3/14/26", {rec("9999-0000001", "01", "NOT IN LIST"),
                                      rec("2101-0100000  <<", "01", "OLD MARK")}));
    open(projectPath(QStringLiteral("same.vsk")));
    EXPECT_EQ(projectRows(), (std::vector<std::string>{"2101-0100000  <<|01|OLD MARK||",
                                                       "9999-0000001|01|NOT IN LIST||"}));
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(GridBinderTest, RevisedItemNumbers) {
    const MasterList master = MasterList::parse(test::crlf({"2101-0100000 A", "2599-9999    B"}));
    struct Case {
        const char* stored;
        const char* revised;
    };
    const Case cases[] = {
        {"2101-0100000", "2101-0100000"},
        {"2101-0100000  <<", "2101-0100000"},
        {"2101-0100001", "2101-0100001  <<"},
        {"2599-9999   ", "2599-9999   "},
        {"2599-9999", "2599-9999"},      // a shorter number from another tool
        {"2599-9999  <<", "2599-9999"},  // its earlier mark goes
        {"2105-0500000XYZW", "2105-0500000  <<"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GridBinder::revisedItemNumber(QString::fromLatin1(c.stored), master),
                  QString::fromLatin1(c.revised))
            << c.stored;
    }
}

}  // namespace
}  // namespace veskplan
