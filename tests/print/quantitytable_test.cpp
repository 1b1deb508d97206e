#include <gtest/gtest.h>

#include "export/records.h"
#include "print/quantitytable.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(QuantityTable, MatchesTheHandWorkedTables) {
    for (const QStringList& c : test::tableRows(u"print/tables.txt"_s, 6)) {
        const QString file = u"print/"_s + c[0];
        const QuantityTable table = QuantityTable::build(
            c[1], c[2], u"12/6/26"_s, c[3], u"J. Doe"_s, u"March"_s,
            c[4].split(u';', Qt::SkipEmptyParts), test::records(file + u".records"_s));
        EXPECT_TRUE(test::sameBytes(test::dataFile(file + u".txt"_s), table.text()))
            << file.toStdString();
        EXPECT_EQ(table.highestCategory, c[5].toInt()) << file.toStdString();
        EXPECT_EQ(table.landscape, table.highestCategory > 2) << file.toStdString();
    }
}

}  // namespace
}  // namespace veskplan
