#include <gtest/gtest.h>

#include "export/records.h"
#include "print/quantitytable.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// Each case: tests/data/print/<name>.records in BridgeKey order, the table in <name>.txt.
TEST(QuantityTable, MatchesTheHandWorkedTables) {
    struct Case {
        const char* name;
        QStringList descriptions;  // category 3 of three has none
        int highest;
        QString projNum = u"STP-12-B(7)03"_s;
        QString fileName = u"/p/sr12.vsk"_s;
        QString county = u"Cedar Falls"_s;
    };
    const Case cases[] = {
        {"table-two-categories", {u"Mainline"_s, u"Ramps"_s}, 2},
        {"table-one-category", {u"Mainline"_s}, 1},
        {"table-three-categories", {u"Mainline"_s, u"Ramps"_s}, 3},
        {"table-empty-long-header",
         {},
         1,
         u"ABCDEFGHIJKLMNOPQRSTUVWXY"_s,
         u'/' + QString(62, u'p') + u".vsk"_s,
         u"Añasco"_s},
    };
    for (const Case& c : cases) {
        const QString file = u"print/"_s + QLatin1StringView(c.name);
        const QuantityTable table =
            QuantityTable::build(c.projNum, c.fileName, u"12/6/26"_s, c.county, u"J. Doe"_s,
                                 u"March"_s, c.descriptions, test::records(file + u".records"_s));
        EXPECT_TRUE(test::sameBytes(test::dataFile(file + u".txt"_s), table.text())) << c.name;
        EXPECT_EQ(table.highestCategory, c.highest) << c.name;
        EXPECT_EQ(table.landscape, c.highest > 2) << c.name;
    }
}

}  // namespace
}  // namespace veskplan
