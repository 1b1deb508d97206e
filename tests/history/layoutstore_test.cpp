#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include "base/csv.h"
#include "history/layoutstore.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Field = ColumnLayout::Field;

TEST(LayoutStore, KeepsOneLayoutPerHeadingRowAndWritesItAsRead) {
    const QString file = test::dataPath(u"history/layouts.csv"_s);
    LayoutStore store = LayoutStore::read(file);
    ASSERT_EQ(store.size(), 1);
    const QStringList headings = {u"PAYITEM;X"_s,   u" UOM"_s, u"AMOUNT"_s,
                                  u"AWARD_PRICE"_s, u"LET"_s,  u"PROJ"_s};
    const std::optional<ColumnLayout> kept = store.find(headings);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->headingOf(Field::UnitPrice), u"AWARD_PRICE"_s);
    EXPECT_FALSE(kept->headingOf(Field::Description));
    EXPECT_FALSE(store.find(headings.mid(1)));
    EXPECT_EQ(store.toBytes(), test::dataFile(u"history/layouts.csv"_s));

    ColumnLayout other;
    other.name(Field::Contract, u"LET"_s);
    store.remember(headings, other);  // replaces the one kept
    store.remember({u"A"_s}, ColumnLayout());
    EXPECT_EQ(store.size(), 2);
    EXPECT_EQ(store.toBytes(),
              "Headings,\"PAYITEM;X\",UOM,AMOUNT,AWARD_PRICE,LET,PROJ\r\n"
              "Contract,LET\r\nHeadings,A\r\n");
    EXPECT_EQ(LayoutStore::read(u"/no/such/layouts.csv"_s).size(), 0);
}

TEST(LayoutStore, RefusesAFileThatBreaksItsForm) {
    const struct {
        const char* bytes;
        int line;
        QString reason;
    } cases[] = {
        {"Unit,A\n", 1, u"a field comes before any \"Headings\" line"_s},
        {"Headings,A\n\nUnit,B\n", 3, u"the heading \"B\" is not among the layout's headings"_s},
        {"Headings,A\nUnit,A\nUnit,A\n", 3, u"the field \"Unit\" is named twice"_s},
        {"Headings,A\nPrice,A\n", 2, u"a line names a field and the heading of its column"_s},
        {"Headings,A\nUnit,A,A\n", 2, u"a line names a field and the heading of its column"_s},
        {"Headings,A\nHeadings, A\n", 2, u"the same headings are kept twice"_s},
        {"Headings,,\n", 1, u"a \"Headings\" line names no headings"_s},
    };
    QTemporaryDir dir;
    const QString file = dir.filePath(u"layouts.csv"_s);
    for (const auto& c : cases) {
        test::writeFile(file, c.bytes);
        try {
            LayoutStore::read(file);
            ADD_FAILURE() << c.bytes;
        } catch (const csv::ReadError& error) {
            EXPECT_EQ(error.line(), c.line) << c.bytes;
            EXPECT_EQ(error.reason(), c.reason) << c.bytes;
            EXPECT_TRUE(error.message().contains(QDir::toNativeSeparators(file)));
        }
    }
}

}  // namespace
}  // namespace veskplan
