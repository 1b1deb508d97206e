#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "master/masterlist.h"
#include "project/countylookup.h"
#include "project/itemlines.h"
#include "project/revisioncheck.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

ProjectRecord rec(const QString& number, const QString& cat, std::optional<double> quantity) {
    return ProjectRecord{number, cat, u"D"_s, u"LS"_s, quantity};
}

TEST(ItemLines, MergeOneItemAcrossCategoriesButNeverTheFreeTextItem) {
    const auto lines =
        itemlines::merge({rec(u"2101"_s, u"01"_s, 1), rec(u"2101"_s, u"03"_s, std::nullopt),
                          rec(u"2599-9999"_s, u"01"_s, 2), rec(u"2599-9999"_s, u"02"_s, 3),
                          rec(u"2599-0001"_s, u"01"_s, 4), rec(u"2599-0001"_s, u"02"_s, 5)});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].entries.size(), 2u);
    EXPECT_EQ(lines[0].entries[1].category, 3);
    EXPECT_EQ((std::vector{lines[0].total, lines[1].total, lines[3].total}),
              (std::vector{1., 2., 9.}));
    EXPECT_EQ(itemlines::highestCategory({}), 1);
    EXPECT_EQ(itemlines::highestCategory({rec(u"A"_s, u"999999"_s, 1)}), 999999);
}

TEST(RevisionCheck, MarksNumbersTheListLacksAndRemovesOldMarks) {
    const MasterList list = MasterList::parse(test::masterLine("2101-0100000", "C", "LS") + "\r\n" +
                                              test::masterLine("2599-9999", "S", "LS"));
    for (const QStringList& c : test::tableRows(u"project/revisions.txt"_s, 2)) {
        EXPECT_EQ(revisioncheck::revisedItemNumber(c[0], list), c[1]) << c[0].toStdString();
    }
}

TEST(CountyLookup, LineNOfTheFileForTheLastTwoCharacters) {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"counties.txt"_s);
    test::writeFile(file, test::crlf({"Alder", "Birchwood", "Cedar Falls"}));
    CountyLookup county(file);
    county.keep(u"Kept"_s);
    for (const QStringList& c : test::tableRows(u"project/county-lookups.txt"_s, 2)) {
        EXPECT_EQ(county.lookUp(c[0]), c[1]) << c[0].toStdString();
    }
    EXPECT_EQ(CountyLookup(dir.filePath(u"none.txt"_s)).lookUp(u"X-01"_s), QString());
}

}  // namespace
}  // namespace veskplan
