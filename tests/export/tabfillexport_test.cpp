#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "export/exportgolden.h"
#include "export/tabfillexport.h"
#include "support/controllerfixture.h"
#include "support/externaltools.h"

namespace veskplan {
namespace {

using test::item;
using namespace Qt::Literals::StringLiterals;

// Every filled cell of rows 15 to 30, columns A to J, as "A15=1 (s)"; n is a number, s text.
const QString kCellsScript =
    uR"py(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
print("|".join(wb.sheetnames))
for row in range(15, 31):
    for col in "ABCDEFGHIJ":
        v = ws[col + str(row)].value
        if v is not None:
            print("%s%d=%s (%s)" % (col, row, v, ws[col + str(row)].data_type))
)py"_s;

// "C15=<description> (s)" for a 40-character description.
QString d(const QString& cell, const char* description) {
    return cell + u'=' + QString::fromLatin1(test::desc40(description)) + u" (s)"_s;
}

class TabfillTest : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
    }
    QString out() const { return sandbox.path(u"tab.xlsx"_s); }
    // Replaces the project with these records (categories 01..highest offered).
    void project(const std::vector<ProjectRecord>& records) {
        test::makeProjectFile(projectPath(u"p.vsk"_s), records);
        port.files = {projectPath(u"p.vsk"_s)};
        port.answers = {Answer::No};
        controller->mnuFileOpen_Click();
        port.clear();
    }
    std::optional<QStringList> exportAndRead() {
        port.files = {out()};
        const ExportOutcome outcome = controller->mnuExpRCADexcel_Click();
        EXPECT_EQ(outcome.kind, ExportOutcome::Kind::Written) << outcome.message.toStdString();
        const auto cells = test::openpyxl(kCellsScript, out());
        if (!cells) {
            return std::nullopt;
        }
        return cells->split(u'\n');
    }
    static ProjectRecord header(const char* units) {
        return test::rec("0000-1000000", "00", "P", units);
    }
};

#define READ_OR_SKIP(cells)                                                \
    const auto cells = exportAndRead();                                    \
    if (!cells) {                                                          \
        GTEST_SKIP() << "/usr/bin/python3 with openpyxl is not installed"; \
    }

TEST_F(TabfillTest, EnglishOneCategory) {
    project({item("2101-0100000", "01", "CLEARING", "ACRE", 2.5),
             item("2105-0500000", "01", "EXCAVATION", "CY", std::nullopt)});
    READ_OR_SKIP(cells);
    EXPECT_EQ(port.dialogs[0].fileName, u"100-01a.xlsx"_s);
    EXPECT_EQ(port.dialogs[0].title, u"Export Project Item List to an Excel Tabfill file"_s);
    EXPECT_EQ(*cells, (QStringList{u"Tabfill"_s, u"A15=1 (s)"_s, u"B15=2101-0100000 (s)"_s,
                                   d(u"C15"_s, "CLEARING"), u"D15=ACRE (s)"_s, u"E15=2.5 (n)"_s,
                                   u"A16=2 (s)"_s, u"B16=2105-0500000 (s)"_s,
                                   d(u"C16"_s, "EXCAVATION"), u"D16=CY (s)"_s}));
    EXPECT_EQ(port.messageTexts(),
              std::vector<QString>{u"Road CAD (Excel) Quantity file saved as "_s + out()});
}

TEST_F(TabfillTest, MetricTwoCategoriesWithTotalInG) {
    project({header("1"), item("2101-0100000", "01", "CLEARING", "HA", 3),
             item("2101-0100000", "02", "CLEARING", "HA", 4.5)});
    READ_OR_SKIP(cells);
    EXPECT_EQ(port.dialogs[0].fileName, u"100-01b.xlsx"_s);
    EXPECT_EQ(cells->mid(5), (QStringList{u"E15=3 (n)"_s, u"F15=4.5 (n)"_s, u"G15=7.5 (s)"_s}));
}

TEST_F(TabfillTest, ThreeAndFourCategoriesPutTheTotalInJ) {
    for (const char* highest : {"03", "04"}) {
        project({item("2101-0100000", "01", "CLEARING", "ACRE", 1),
                 item("2101-0100000", highest, "CLEARING", "ACRE", 2)});
        READ_OR_SKIP(cells);
        const QString column = QString::fromLatin1(highest) == u"03"_s ? u"G"_s : u"H"_s;
        EXPECT_EQ(cells->mid(5),
                  (QStringList{u"E15=1 (n)"_s, column + u"15=2 (n)"_s, u"J15=3 (s)"_s}))
            << highest;
        EXPECT_EQ(port.dialogs[0].fileName, u"100-01c.xlsx"_s);
    }
}

TEST_F(TabfillTest, FiveCategoriesAreExportedAndSixRefused) {
    project({item("2101-0100000", "05", "CLEARING", "ACRE", 1)});
    READ_OR_SKIP(cells);
    EXPECT_EQ(cells->mid(5), (QStringList{u"I15=1 (n)"_s, u"J15=1 (s)"_s}));

    project({item("2101-0100000", "06", "CLEARING", "ACRE", 1)});
    QFile::remove(out());
    const ExportOutcome outcome = controller->mnuExpRCADexcel_Click();
    EXPECT_EQ(outcome.kind, ExportOutcome::Kind::Refused);
    EXPECT_TRUE(port.dialogs.empty());
    EXPECT_EQ(port.messageTexts(),
              std::vector<QString>{
                  u"Your project has more categories than the largest tab will hold.  The "
                  u"program cannot create an Excel Tab file."_s});
    EXPECT_FALSE(QFileInfo::exists(out()));
}

TEST_F(TabfillTest, FreeTextItemsAndOneItemInThreeCategories) {
    project({item("2101-0100000", "01", "A", "LS", 1), item("2101-0100000", "02", "A", "LS", 2),
             item("2101-0100000", "03", "A", "LS", std::nullopt),
             item("2599-9999   ", "01", "FIRST", "LS", 0.25),
             item("2599-9999   ", "03", "SECOND", "LS", 0.25)});
    READ_OR_SKIP(cells);
    EXPECT_EQ(*cells, (QStringList{u"Tabfill"_s,
                                   u"A15=1 (s)"_s,
                                   u"B15=2101-0100000 (s)"_s,
                                   d(u"C15"_s, "A"),
                                   u"D15=LS (s)"_s,
                                   u"E15=1 (n)"_s,
                                   u"F15=2 (n)"_s,
                                   u"J15=3 (s)"_s,
                                   u"A16=2 (s)"_s,
                                   u"B16=2599-9999    (s)"_s,
                                   d(u"C16"_s, "FIRST"),
                                   u"D16=LS (s)"_s,
                                   u"E16=0.25 (n)"_s,
                                   u"J16=.25 (s)"_s,
                                   u"A17=3 (s)"_s,
                                   u"B17=2599-9999    (s)"_s,
                                   d(u"C17"_s, "SECOND"),
                                   u"D17=LS (s)"_s,
                                   u"G17=0.25 (n)"_s,
                                   u"J17=.25 (s)"_s}));
}

TEST_F(TabfillTest, EmptyQuantityOnANewLineAndAHalfTotal) {
    project({item("2101-0100000", "02", "A", "LS", std::nullopt),
             item("2105-0500000", "01", "B", "LS", 0.25),
             item("2105-0500000", "02", "B", "LS", 0.25)});
    READ_OR_SKIP(cells);
    EXPECT_EQ(
        cells->mid(1),
        (QStringList{u"A15=1 (s)"_s, u"B15=2101-0100000 (s)"_s, d(u"C15"_s, "A"), u"D15=LS (s)"_s,
                     u"G15=0 (s)"_s, u"A16=2 (s)"_s, u"B16=2105-0500000 (s)"_s, d(u"C16"_s, "B"),
                     u"D16=LS (s)"_s, u"E16=0.25 (n)"_s, u"F16=0.25 (n)"_s, u"G16=.5 (s)"_s}));
}

TEST_F(TabfillTest, CalcOpensItWithTheValuesInPlace) {
    project({header("1"), item("2101-0100000", "01", "CLEARING", "HA", 3),
             item("2101-0100000", "02", "CLEARING", "HA", 4.5)});
    port.files = {out()};
    controller->mnuExpRCADexcel_Click();
    const auto csv = test::libreOfficeCsv(out());
    if (!csv) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    }
    const QStringList rows = csv->split(u'\n');
    ASSERT_GT(rows.size(), 14);
    EXPECT_TRUE(rows[1].startsWith(u"\"METRIC UNITS\""_s)) << rows[1].toStdString();
    // The template's item count is worked out again when the file is opened.
    EXPECT_TRUE(rows[5].startsWith(u"\"ITEMS:\",1,"_s)) << rows[5].toStdString();
    EXPECT_EQ(
        rows[14],
        u"\"1\",\"2101-0100000\",\"CLEARING                                \",\"HA\",3.000,4.500,\"7.5\""_s);
}

TEST_F(TabfillTest, CancelledDialogAndMissingSeed) {
    project({item("2101-0100000", "01", "CLEARING", "ACRE", 1)});
    controller->projItemDB_HeadClick(0);
    port.files = {std::nullopt};
    EXPECT_EQ(controller->mnuExpRCADexcel_Click().kind, ExportOutcome::Kind::Cancelled);
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(store().index(), IndexOrder::BridgeKey);

    QFile::remove(sandbox.dataDir() + u"/seed100-01.xlsx"_s);
    const ExportOutcome outcome = controller->mnuExpRCADexcel_Click();
    EXPECT_EQ(outcome.kind, ExportOutcome::Kind::Failed);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_TRUE(port.messages[0].text.contains(u"seed100-01.xlsx"_s))
        << port.messages[0].text.toStdString();
    EXPECT_EQ(port.dialogs.size(), 1u);  // no dialog for a workbook that cannot be made
}

TEST_F(TabfillTest, TemplateChoice) {
    EXPECT_EQ(TabfillExport::templateSheet(true, 1), u"e100-01a"_s);
    EXPECT_EQ(TabfillExport::templateSheet(false, 2), u"m100-01b"_s);
    EXPECT_EQ(TabfillExport::templateSheet(true, 3), u"e100-01c"_s);
    EXPECT_EQ(TabfillExport::templateSheet(false, 5), u"m100-01c"_s);
}

}  // namespace
}  // namespace veskplan
