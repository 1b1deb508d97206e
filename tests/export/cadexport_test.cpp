#include <gtest/gtest.h>

#include "export/cadexport.h"
#include "export/records.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// Each case: tests/data/export/<name>.records in BridgeKey order, the file in <name>.txt.
TEST(CadFile, MatchesTheHandWorkedFiles) {
    const std::tuple<const char*, CadKind, bool> cases[] = {
        {"cad-road-metric-one", CadKind::RoadCad, false},
        {"cad-bridge-english-two", CadKind::BridgeCad, true},  // negative, empty, too wide
        {"cad-bridge-english-2599", CadKind::BridgeCad, true},
        {"cad-road-metric-four", CadKind::RoadCad, false},
        {"cad-road-english-six", CadKind::RoadCad, true},
        {"cad-road-english-overflow", CadKind::RoadCad, true},
        {"cad-bridge-metric-empty", CadKind::BridgeCad, false},
    };
    for (const auto& [name, kind, english] : cases) {
        const QString file = u"export/"_s + QLatin1StringView(name);
        EXPECT_TRUE(test::sameBytes(
            test::dataFile(file + u".txt"_s),
            CadExport::render(kind, english, test::records(file + u".records"_s), u'.')))
            << name;
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
