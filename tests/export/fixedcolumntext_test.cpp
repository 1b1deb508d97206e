#include <gtest/gtest.h>

#include "export/countyfile.h"
#include "export/fixedcolumntext.h"
#include "export/itemlines.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

TEST(FixedColumnText, PadsToTheColumnOrBreaksTheLine) {
    FixedColumnText text;
    text.place(1, u"ABC");
    text.place(5, u"D");  // blanks at 4
    text.place(6, u"E");  // directly after
    text.place(6, u"F");  // column 6 is taken: new line
    text.endLine();
    text.endLine();  // an empty line
    EXPECT_EQ(text.lines(),
              (QStringList{QStringLiteral("ABC DE"), QStringLiteral("     F"), QString()}));
    EXPECT_EQ(text.windows1252(), QByteArray("ABC DE\r\n     F\r\n\r\n"));
}

TEST(FixedColumnText, WritesWindows1252) {
    FixedColumnText text;
    text.place(3, QString::fromUtf16(u"1\u00BD\u00B0"));
    text.endLine();
    EXPECT_EQ(text.windows1252(), QByteArray("  1\xBD\xB0\r\n"));
}

ProjectRecord record(const char* number, const char* cat, std::optional<double> quantity) {
    return ProjectRecord{QString::fromLatin1(number), QString::fromLatin1(cat), QStringLiteral("D"),
                         QStringLiteral("EA"), quantity};
}

TEST(ItemLines, MergesOneItemAcrossCategoriesButNeverTheFreeTextItem) {
    const auto lines = itemlines::merge({
        record("2101-0100000", "01", 3),
        record("2101-0100000", "02", 4.5),
        record("2101-0100000", "03", std::nullopt),
        record("2599-9999   ", "01", 1),
        record("2599-9999   ", "02", 2),
        record("2599-0000100", "01", 1),
        record("2599-0000100", "02", 1),
    });
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].entries.size(), 3u);
    EXPECT_EQ(lines[0].total, 7.5);
    EXPECT_EQ(lines[0].entries[2].category, 3);
    EXPECT_FALSE(lines[0].entries[2].quantity.has_value());
    EXPECT_EQ(lines[1].total, 1);
    EXPECT_EQ(lines[2].total, 2);
    EXPECT_EQ(lines[3].entries.size(), 2u);  // other 2599 items merge like any item
}

TEST(ItemLines, HighestCategoryIsAtLeastOne) {
    EXPECT_EQ(itemlines::highestCategory({}), 1);
    EXPECT_EQ(itemlines::highestCategory({record("A", "00", 1)}), 1);
    EXPECT_EQ(itemlines::highestCategory({record("A", "01", 1), record("B", "12", 1)}), 12);
}

TEST(CountyFile, NumberComesFromTheLastTwoCharacters) {
    struct Case {
        const char* number;
        int county;
    };
    const Case cases[] = {{"STP-12-B(7)03", 3},
                          {"STP-12-B(7)A3", 0},
                          {"SR-1-5", 5},
                          {"IM-94-4(12)7)", 7},
                          {"X", 0},
                          {"", 0},
                          {"NH-3-0(9)45", 45}};
    for (const Case& c : cases) {
        EXPECT_EQ(countyfile::countyNumber(QString::fromLatin1(c.number)), c.county) << c.number;
    }
}

TEST(CountyFile, LooksUpLineN) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("counties.txt"));
    test::writeFile(path, test::crlf({"Alder", "Birchwood", "Cedar Falls"}));
    EXPECT_EQ(countyfile::lookUp(path, QStringLiteral("STP-12-B(7)03"), QStringLiteral("old")),
              QStringLiteral("Cedar Falls"));
    EXPECT_EQ(countyfile::lookUp(path, QStringLiteral("STP-12-B(7)A3"), QStringLiteral("old")),
              QStringLiteral("old"));
    EXPECT_EQ(countyfile::lookUp(path, QString(), QStringLiteral("old")), QStringLiteral("old"));
    EXPECT_EQ(countyfile::lookUp(path, QStringLiteral("X-1-2(3)09"), QStringLiteral("old")),
              QString());
    EXPECT_EQ(countyfile::lookUp(dir.filePath(QStringLiteral("none.txt")), QStringLiteral("X-01"),
                                 QStringLiteral("old")),
              QString());
}

}  // namespace
}  // namespace veskplan
