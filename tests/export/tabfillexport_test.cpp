#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "export/records.h"
#include "export/tabfillexport.h"
#include "ooxml/xlsxerror.h"
#include "ooxml/xlsxworkbook.h"
#include "support/externaltools.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kSeed = QStringLiteral(VESKPLAN_SOURCE_DIR "/data/seed100-01.xlsx");

// The sheet names, then every filled cell of row 2 and of rows 13 on, columns A to J, as
// "A15=1 (s)": s for text, n for a number.
const QString kCellsScript =
    uR"py(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
print("\n".join(wb.sheetnames))
for row in [2] + list(range(13, ws.max_row + 1)):
    for col in "ABCDEFGHIJ":
        cell = ws[col + str(row)]
        if cell.value is not None:
            print("%s%d=%s (%s)" % (col, row, cell.value, cell.data_type))
)py"_s;

// The workbook for tests/data/export/<name>.records, saved in `dir`.
QString filled(const QTemporaryDir& dir, const char* name, bool english, int highest) {
    XlsxWorkbook workbook = TabfillExport::prepare(kSeed, english, highest);
    TabfillExport::fill(workbook,
                        test::records(u"export/%1.records"_s.arg(QLatin1StringView(name))));
    const QString path = dir.filePath(QLatin1StringView(name) + u".xlsx"_s);
    workbook.save(path);
    return path;
}

// Each case: <name>.records in BridgeKey order, the cells in <name>.txt.
TEST(TabfillWorkbook, CellsMatchTheHandWorkedListings) {
    const std::tuple<const char*, bool, int> cases[] = {
        {"tabfill-english-one", true, 1},
        {"tabfill-metric-two", false, 2},
        // The second category 1 record of an item continues its line but has no cell of its own.
        {"tabfill-english-three", true, 3},
        {"tabfill-metric-five", false, 5},
    };
    QTemporaryDir dir;
    for (const auto& [name, english, highest] : cases) {
        const auto cells = test::openpyxl(kCellsScript, filled(dir, name, english, highest));
        ASSERT_TRUE(cells.has_value()) << name;
        EXPECT_TRUE(test::sameBytes(test::dataFile(u"export/%1.txt"_s.arg(QLatin1StringView(name))),
                                    (*cells + u'\n').toUtf8()))
            << name;
    }
}

TEST(TabfillWorkbook, CalcShowsTheValuesAndCountsTheItems) {
    QTemporaryDir dir;
    const auto csv = test::libreOfficeCsv(filled(dir, "tabfill-metric-two", false, 2));
    ASSERT_TRUE(csv.has_value());
    const QStringList rows = csv->split(u'\n');
    ASSERT_GT(rows.size(), 16);
    EXPECT_TRUE(rows[1].startsWith(u"\"METRIC UNITS\""_s)) << rows[1].toStdString();
    EXPECT_TRUE(rows[5].startsWith(u"\"ITEMS:\",3,"_s)) << rows[5].toStdString();
    EXPECT_EQ(rows.mid(14, 3),
              (QStringList{u"\"1\",\"2101-0100000\",\"CLEARING\",\"HA\",3.000,4.500,\"7.5\""_s,
                           u"\"2\",\"2105-0500000\",\"EXCAVATION\",\"M3\",,,\"0\""_s,
                           u"\"3\",\"2401-0100000\",\"SEEDING\",\"HA\",0.250,0.250,\".5\""_s}));
}

TEST(TabfillWorkbook, MissingSeedIsAnError) {
    EXPECT_THROW(TabfillExport::prepare(kSeed + u".missing"_s, true, 1), XlsxError);
}

}  // namespace
}  // namespace veskplan
