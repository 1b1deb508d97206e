#include <gtest/gtest.h>
#include <QDir>

#include "export/cadexport.h"
#include "export/records.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// Each tests/data/export/cad-<road|bridge>-<english|metric>-*.records in BridgeKey order, the
// file in its .txt; one has a negative, an empty and a too wide quantity.
TEST(CadFile, MatchesTheHandWorkedFiles) {
    const QStringList names = QDir(test::dataPath(u"export"_s)).entryList({u"cad-*.records"_s});
    ASSERT_EQ(names.size(), 7);
    for (const QString& name : names) {
        const QString file = u"export/"_s + name.chopped(8);
        const CadKind kind = name.contains(u"-road-"_s) ? CadKind::RoadCad : CadKind::BridgeCad;
        EXPECT_TRUE(test::sameBytes(test::dataFile(file + u".txt"_s),
                                    CadExport::render(kind, name.contains(u"-english-"_s),
                                                      test::records(file + u".records"_s), u'.')))
            << name.toStdString();
    }
    for (const QStringList& c : test::tableRows(u"export/cad-layout.txt"_s, 6)) {
        SCOPED_TRACE(c.join(u'|').toStdString());
        const CadKind kind = c[0] == u"road"_s ? CadKind::RoadCad : CadKind::BridgeCad;
        const int highest = c[2].toInt();
        EXPECT_EQ(CadExport::tabName(kind, c[1] == u"yes"_s, highest), c[3]);
        EXPECT_EQ(CadExport::layoutLine(kind, highest).size(), 76 + 11 * c[4].toInt());
        EXPECT_EQ(CadExport::totalColumn(kind, highest), c[5].toInt());
    }
}

}  // namespace
}  // namespace veskplan
