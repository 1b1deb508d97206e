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
    QTemporaryDir dir;
    const QString file = dir.filePath(u"layouts.csv"_s);
    for (const QStringList& c : test::tableRows(u"history/badlayouts.txt"_s, 3)) {
        test::writeFile(file, QString(c[0]).replace(u"\\n"_s, u"\n"_s).toUtf8());
        try {
            LayoutStore::read(file);
            ADD_FAILURE() << c[0].toStdString();
        } catch (const csv::ReadError& error) {
            EXPECT_EQ(QString::number(error.line()) + u'|' + error.reason(), c[1] + u'|' + c[2]);
            EXPECT_TRUE(error.message().contains(QDir::toNativeSeparators(file)));
        }
    }
}

}  // namespace
}  // namespace veskplan
