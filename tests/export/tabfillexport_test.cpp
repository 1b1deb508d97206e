#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "base/filewriting.h"
#include "export/records.h"
#include "export/tabfillexport.h"
#include "support/externaltools.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kSeed = QStringLiteral(VESKPLAN_SOURCE_DIR "/data/seed100-01.xlsx");

// Each case: <name>.records in BridgeKey order, the cells in <name>.txt.
TEST(TabfillWorkbook, CellsMatchTheHandWorkedListings) {
    VESKPLAN_SKIP_ON_WINDOWS("python3 with openpyxl to read the workbook back");
    const std::pair<const char*, bool> cases[] = {
        {"tabfill-english-one", true},
        {"tabfill-metric-two", false},
        // The second category 1 record of an item continues its line but has no cell of its own.
        {"tabfill-english-three", true},
        {"tabfill-metric-five", false},
    };
    QTemporaryDir dir;
    for (const auto& [name, english] : cases) {
        const QString file = u"export/"_s + QLatin1StringView(name);
        const QString path = dir.filePath(QLatin1StringView(name) + u".xlsx"_s);
        writeFileAtomically(
            path, TabfillExport::render(kSeed, english, test::records(file + u".records"_s)));
        const auto cells =
            test::openpyxl(QString::fromUtf8(test::dataFile(u"export/tabfill-cells.py"_s)), path);
        ASSERT_TRUE(cells.has_value()) << name;
        EXPECT_TRUE(test::sameBytes(test::dataFile(file + u".txt"_s), (*cells + u'\n').toUtf8()))
            << name;
    }
}

}  // namespace
}  // namespace veskplan
