#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "export/records.h"
#include "export/tabfillexport.h"
#include "ooxml/xlsxworkbook.h"
#include "support/externaltools.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kSeed = QStringLiteral(VESKPLAN_SOURCE_DIR "/data/seed100-01.xlsx");

// Each case: <name>.records in BridgeKey order, the cells in <name>.txt.
TEST(TabfillWorkbook, CellsMatchTheHandWorkedListings) {
    VESKPLAN_SKIP_ON_WINDOWS("python3 with openpyxl to read the workbook back");
    const std::tuple<const char*, bool, int> cases[] = {
        {"tabfill-english-one", true, 1},
        {"tabfill-metric-two", false, 2},
        // The second category 1 record of an item continues its line but has no cell of its own.
        {"tabfill-english-three", true, 3},
        {"tabfill-metric-five", false, 5},
    };
    QTemporaryDir dir;
    for (const auto& [name, english, highest] : cases) {
        const QString file = u"export/"_s + QLatin1StringView(name);
        XlsxWorkbook workbook = TabfillExport::prepare(kSeed, english, highest);
        TabfillExport::fill(workbook, test::records(file + u".records"_s));
        const QString path = dir.filePath(QLatin1StringView(name) + u".xlsx"_s);
        workbook.save(path);
        const auto cells =
            test::openpyxl(QString::fromUtf8(test::dataFile(u"export/tabfill-cells.py"_s)), path);
        ASSERT_TRUE(cells.has_value()) << name;
        EXPECT_TRUE(test::sameBytes(test::dataFile(file + u".txt"_s), (*cells + u'\n').toUtf8()))
            << name;
    }
}

}  // namespace
}  // namespace veskplan
