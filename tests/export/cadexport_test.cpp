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
}

TEST(CadFile, TabNameLayoutGroupsAndTotalColumn) {
    struct Case {
        CadKind kind;
        bool english;
        int highest;
        const char* tab;
        int groups;  // of eleven characters after the 76 of the item columns
        int total;
    };
    const Case cases[] = {
        {CadKind::RoadCad, true, 1, "100-1AE", 1, 0},
        {CadKind::RoadCad, false, 2, "100-1B", 3, 100},
        {CadKind::RoadCad, true, 3, "100-1CE", 6, 133},
        {CadKind::RoadCad, true, 5, "100-1CE", 6, 133},
        {CadKind::RoadCad, false, 9, "100-1C", 10, 177},
        {CadKind::BridgeCad, true, 1, "vesk1", 1, 0},
        {CadKind::BridgeCad, false, 4, "mvesk4", 5, 122},
        {CadKind::BridgeCad, true, 12, "vesk12", 13, 210},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CadExport::tabName(c.kind, c.english, c.highest), QLatin1StringView(c.tab));
        EXPECT_EQ(CadExport::layoutLine(c.kind, c.highest).size(), 76 + 11 * c.groups) << c.tab;
        EXPECT_EQ(CadExport::totalColumn(c.kind, c.highest), c.total) << c.tab;
    }
}

}  // namespace
}  // namespace veskplan
