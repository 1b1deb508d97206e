#include <gtest/gtest.h>

#include "export/cadexport.h"
#include "export/exportgolden.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using test::desc40;
using test::item;
using test::layout;
using test::sp;
using Kind = CadExport::Kind;

QByteArray render(Kind kind, bool english, std::vector<ProjectRecord> records) {
    return CadExport::render(kind, english, records, u'.');
}

// The start of an item line: number, item number and description in their columns, the unit at
// 71 (a 40-character description ends at 59), and the line open at column 74.
QByteArray head(const char* line, const char* number, const char* description, const char* unit) {
    const QByteArray n(line);
    return n + sp(4 - n.size()) + QByteArray(number).leftJustified(12, ' ') + sp(3) +
           desc40(description) + sp(11) + QByteArray(unit).leftJustified(4, ' ');
}

TEST(CadFile, MetricOneCategory) {
    const std::vector<ProjectRecord> records = {
        item("2101-0100000", "01", "CLEARING", "HA  ", 2.5),
        item("2105-0500000", "01", "COMMON EXCAVATION", "M3  ", std::nullopt)};
    const QByteArray lines = layout(1) + "\r\n" +  //
                             head("1", "2101-0100000", "CLEARING", "HA") + sp(3) + " 2.5 \r\n" +
                             head("2", "2105-0500000", "COMMON EXCAVATION", "M3") + sp(3) + "0\r\n";
    EXPECT_TRUE(test::sameBytes("100-1A\r\n" + lines, render(Kind::RoadCad, false, records)));
    EXPECT_TRUE(test::sameBytes("mvesk1\r\n" + lines, render(Kind::BridgeCad, false, records)));
}

TEST(CadFile, EnglishTwoCategoriesWithTotal) {
    const std::vector<ProjectRecord> records = {
        item("2101-0100000", "01", "CLEARING", "ACRE", 3),
        item("2101-0100000", "02", "CLEARING", "ACRE", 4.5)};
    // 3 at 78-80, 4.5 at 89-93, the total at 100.
    const QByteArray line = head("1", "2101-0100000", "CLEARING", "ACRE") + sp(3) + " 3 " + sp(8) +
                            " 4.5 " + sp(6) + "7.5\r\n";
    EXPECT_TRUE(test::sameBytes("100-1BE\r\n" + layout(3) + "\r\n" + line,
                                render(Kind::RoadCad, true, records)));
    EXPECT_TRUE(test::sameBytes("vesk2\r\n" + layout(3) + "\r\n" + line,
                                render(Kind::BridgeCad, true, records)));
}

TEST(CadFile, CategoriesOneAndThreeOnly) {
    const std::vector<ProjectRecord> records = {item("2101-0100000", "01", "CLEARING", "ACRE", 1),
                                                item("2101-0100000", "03", "CLEARING", "ACRE", 2)};
    // Category 3 at 100-102; Road CAD keeps five columns and puts the total at 133, Bridge CAD
    // right after category 3, at 111.
    const QByteArray start =
        head("1", "2101-0100000", "CLEARING", "ACRE") + sp(3) + " 1 " + sp(19) + " 2 ";
    EXPECT_TRUE(test::sameBytes("100-1C\r\n" + layout(6) + "\r\n" + start + sp(30) + "3\r\n",
                                render(Kind::RoadCad, false, records)));
    EXPECT_TRUE(test::sameBytes("vesk3\r\n" + layout(4) + "\r\n" + start + sp(8) + "3\r\n",
                                render(Kind::BridgeCad, true, records)));
}

TEST(CadFile, RoadCadWithSixCategoriesPutsTheTotalAfterTheLastColumn) {
    const std::vector<ProjectRecord> records = {item("2101-0100000", "01", "CLEARING", "ACRE", 1),
                                                item("2101-0100000", "06", "CLEARING", "ACRE", 2)};
    // Category 6 at 133-135, the total at 144.
    const QByteArray line = head("1", "2101-0100000", "CLEARING", "ACRE") + sp(3) + " 1 " + sp(52) +
                            " 2 " + sp(8) + "3\r\n";
    EXPECT_TRUE(test::sameBytes("100-1CE\r\n" + layout(7) + "\r\n" + line,
                                render(Kind::RoadCad, true, records)));
    EXPECT_TRUE(test::sameBytes("vesk6\r\n" + layout(7) + "\r\n" + line,
                                render(Kind::BridgeCad, true, records)));
}

TEST(CadFile, FreeTextItemsTakeALineEachAndOneItemInThreeCategoriesOne) {
    const std::vector<ProjectRecord> records = {item("2101-0100000", "01", "CLEARING", "ACRE", 1),
                                                item("2101-0100000", "02", "CLEARING", "ACRE", 1),
                                                item("2101-0100000", "03", "CLEARING", "ACRE", 1),
                                                item("2599-9999   ", "01", "FIRST", "LS", 1),
                                                item("2599-9999   ", "01", "SECOND", "LS", 2)};
    const QByteArray expected =
        "vesk3\r\n" + layout(4) + "\r\n" +  //
        head("1", "2101-0100000", "CLEARING", "ACRE") + sp(3) + " 1 " + sp(8) + " 1 " + sp(8) +
        " 1 " + sp(8) + "3\r\n" +                                                   //
        head("2", "2599-9999", "FIRST", "LS") + sp(3) + " 1 " + sp(30) + "1\r\n" +  //
        head("3", "2599-9999", "SECOND", "LS") + sp(3) + " 2 " + sp(30) + "2\r\n";
    EXPECT_TRUE(test::sameBytes(expected, render(Kind::BridgeCad, true, records)));
}

TEST(CadFile, TotalsInShortestFormAndEmptyQuantitiesAsZero) {
    const std::vector<ProjectRecord> records = {item("2101-0100000", "01", "A", "LS", 0.25),
                                                item("2101-0100000", "02", "A", "LS", 0.25),
                                                item("2105-0500000", "01", "B", "LS", 5),
                                                item("2105-0500000", "02", "B", "LS", 7),
                                                item("2301-0200000", "01", "C", "LS", std::nullopt),
                                                item("2301-0200000", "02", "C", "LS", std::nullopt),
                                                item("2501-0150000", "02", "D", "LS", -1.5)};
    const QByteArray expected =
        "vesk2\r\n" + layout(3) + "\r\n" +  //
        head("1", "2101-0100000", "A", "LS") + sp(3) + " .25 " + sp(6) + " .25 " + sp(6) +
        ".5\r\n" +  //
        head("2", "2105-0500000", "B", "LS") + sp(3) + " 5 " + sp(8) + " 7 " + sp(8) +
        "12\r\n" +                                                                              //
        head("3", "2301-0200000", "C", "LS") + sp(3) + "0" + sp(10) + "0" + sp(10) + "0\r\n" +  //
        head("4", "2501-0150000", "D", "LS") + sp(14) + "-1.5 " + sp(6) + "-1.5\r\n";
    EXPECT_TRUE(test::sameBytes(expected, render(Kind::BridgeCad, true, records)));
}

TEST(CadFile, RevisionMarkBreaksTheLineAfterTheItemNumber) {
    const std::vector<ProjectRecord> records = {
        item("2101-0100000  <<", "01", "CLEARING", "ACRE", 2)};
    const QByteArray expected = "100-1AE\r\n" + layout(1) + "\r\n" + "1   2101-0100000  <<\r\n" +
                                sp(19) + desc40("CLEARING") + sp(11) + "ACRE" + sp(3) + " 2 \r\n";
    EXPECT_TRUE(test::sameBytes(expected, render(Kind::RoadCad, true, records)));
}

TEST(CadFile, EmptyTableGivesTheTwoHeadingLines) {
    EXPECT_TRUE(
        test::sameBytes("100-1AE\r\n" + layout(1) + "\r\n", render(Kind::RoadCad, true, {})));
}

TEST(CadFile, TabNamesAndLayoutGroups) {
    struct Case {
        Kind kind;
        bool english;
        int highest;
        const char* tab;
        int groups;
        int total;
    };
    const Case cases[] = {
        {Kind::RoadCad, true, 1, "100-1AE", 1, 0},
        {Kind::RoadCad, false, 2, "100-1B", 3, 100},
        {Kind::RoadCad, true, 3, "100-1CE", 6, 133},
        {Kind::RoadCad, false, 4, "100-1C", 6, 133},
        {Kind::RoadCad, true, 5, "100-1CE", 6, 133},
        {Kind::RoadCad, true, 9, "100-1CE", 10, 177},
        {Kind::BridgeCad, false, 4, "mvesk4", 5, 122},
        {Kind::BridgeCad, true, 5, "vesk5", 6, 133},
        {Kind::BridgeCad, true, 12, "vesk12", 13, 210},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CadExport::tabName(c.kind, c.english, c.highest), QString::fromLatin1(c.tab))
            << c.tab;
        EXPECT_EQ(CadExport::layoutLine(c.kind, c.highest), QString::fromLatin1(layout(c.groups)))
            << c.tab;
        EXPECT_EQ(CadExport::totalColumn(c.kind, c.highest), c.total) << c.tab;
    }
}

class CadCommandTest : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
        addMasterRow(2);
        controller->addCat_Click();
        addMasterRow(2);
        port.clear();
    }
    QString out() const { return sandbox.path(QStringLiteral("q.txt")); }
};

TEST_F(CadCommandTest, DialogAndMessageAndTheWorkingOrderAfterwards) {
    port.files = {std::nullopt, projectPath(QStringLiteral("sr12.vsk")), out()};
    controller->projItemDB_HeadClick(0);
    ws().projectColumnWidths = {1, 1, 1, 1, 1};
    EXPECT_EQ(controller->mnuExpRCAD_Click().kind, ExportOutcome::Kind::Cancelled);
    EXPECT_EQ(store().index(), IndexOrder::BridgeKey);  // untouched by a cancel
    EXPECT_EQ(ws().projectColumnWidths[0], 1);
    EXPECT_TRUE(port.dialogs[0].fileName.isEmpty());
    EXPECT_EQ(port.dialogs[0].title,
              QStringLiteral("Export Project Item List to a Road CAD Quantity file"));
    EXPECT_EQ(port.dialogs[0].filters[1], QStringLiteral("Road CAD Quantity Files (*.txt)"));
    EXPECT_EQ(port.dialogs[0].selectedFilter, 1);

    controller->mnuFileSave_Click();
    port.clear();
    controller->projItemDB_HeadClick(0);
    store().setCurrentRow(1);
    const ExportOutcome outcome = controller->mnuExpBCAD_Click();
    ASSERT_EQ(outcome.kind, ExportOutcome::Kind::Written);
    EXPECT_EQ(port.dialogs[0].fileName, projectPath(QStringLiteral("sr12.txt")));
    EXPECT_EQ(port.dialogs[0].directory, sandbox.projectsDir());
    EXPECT_EQ(port.dialogs[0].title,
              QStringLiteral("Export Project Item List to a Bridge CAD Quantity file"));
    EXPECT_EQ(port.messageTexts(),
              std::vector<QString>{QStringLiteral("Bridge CAD Quantity file saved as ") + out()});
    EXPECT_EQ(store().index(), IndexOrder::PrimaryKey);
    EXPECT_EQ(store().currentRow(), 0);
    EXPECT_EQ(ws().projectColumnWidths, ProjectGridModel::standardWidths());
    EXPECT_TRUE(test::readFile(out()).startsWith("vesk2\r\n"));
    EXPECT_TRUE(ws().flags.projSaved);
}

}  // namespace
}  // namespace veskplan
