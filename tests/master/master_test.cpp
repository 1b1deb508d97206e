#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QDir>
#include <QTemporaryDir>

#include "master/categorytree.h"
#include "master/descriptionindex.h"
#include "master/mastergridmodel.h"
#include "master/masterlist.h"
#include "master/masterlistfile.h"
#include "master/mastersearch.h"
#include "master/mastersession.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(MasterList, CutsFixedColumnsOfEveryLineAsTheyStand) {
    const MasterList list = MasterList::parse(test::dataFile(u"master/list.txt"_s));
    QStringList rows;
    for (int row = 0; row < list.count(); ++row) {
        rows.append(QStringList{list.itemNumber(row).toString(), list.description(row).toString(),
                                list.unit(row).toString()}
                        .join(u'|'));
    }
    const QString expected = QString::fromUtf8(test::dataFile(u"master/list.expected"_s));
    EXPECT_EQ(rows, expected.split(u'\n', Qt::SkipEmptyParts));
}

TEST(MasterList, FindsNumbersByPrefixInOrderedAndUnorderedLists) {
    const MasterList ordered = MasterList::parse(test::crlf({"2101-01", "2501-01", "2501-02"}));
    const MasterList unordered = MasterList::parse(test::crlf({"2501-02", "2101-01", "2501-01"}));
    const std::tuple<const char16_t*, int, int> cases[] = {
        {u"", 0, 0},   {u"25", 1, 0},  {u"2501-01", 1, 2},
        {u"21", 0, 1}, {u"3", -1, -1}, {u"2501-013", -1, -1}};
    for (const auto& [prefix, inOrdered, inUnordered] : cases) {
        EXPECT_EQ(ordered.firstRowStartingWith(prefix), inOrdered);
        EXPECT_EQ(unordered.firstRowStartingWith(prefix), inUnordered);
    }
}

TEST(MasterSearch, FindNextAndPreviousWalkTheDescriptions) {
    // Rows 0 to 4; "PIPE" in rows 1 and 3.
    const MasterList list = MasterList::parse(
        test::crlf({"1            ROAD", "2            PIPE A", "3            Pipe",
                    "4            PIPE B", "5            END"}));
    for (const QStringList& c : test::tableRows(u"master/search.txt"_s, 6)) {
        const auto outcome = c[0] == u"next"_s
                                 ? mastersearch::findNext(list, c[1].toInt(), c[2])
                                 : mastersearch::findPrevious(list, c[1].toInt(), c[2]);
        EXPECT_EQ(
            QStringList({QString::number(outcome.found), outcome.reachedEnd ? u"yes"_s : u"no"_s,
                         QString::number(outcome.searchPosition)}),
            c.mid(3))
            << c.join(u'|').toStdString();
    }
    EXPECT_EQ(mastersearch::firstOfCategory(list, u"4    PAVING"), 3);
    EXPECT_EQ(mastersearch::firstOfCategory(list, u"Items"), -1);
}

TEST(MasterSession, LoadsTheUnitsListWithItsDateOrReportsTheMissingFile) {
    QTemporaryDir dir;
    test::writeFile(dir.filePath(u"itemsm.txt"_s), "2101-0100000 CLEARING\r\n");
    test::setModified(dir.filePath(u"itemsm.txt"_s), QDateTime(QDate(2026, 3, 14), QTime(23, 59)));
    MasterSession session;
    QAbstractItemModelTester tester(&session.grid().model(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    session.load(Unit::Metric, dir.path(), QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ((QStringList{session.revisionText(), session.masterDate(),
                           session.grid().model().index(0, 1).data().toString(),
                           session.grid().model().headerData(2, Qt::Horizontal).toString()}),
              (QStringList{u"Revised 3/14/26"_s, u"3/14/2026"_s, u"CLEARING"_s, u"Units"_s}));
    const QString error =
        test::errorMessage([&] { session.load(Unit::English, dir.path(), QLocale::c()); });
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(dir.filePath(u"itemse.txt"_s))));
    EXPECT_TRUE(session.loadFailed() && session.list().count() == 0 &&
                session.loadedUnit() == Unit::English);
    // A short date with blanks in it is shown whole.
    EXPECT_EQ(revisedCaption(QDate(2026, 3, 14), QLocale(QLocale::Slovak, QLocale::Slovakia)),
              u"Revised 14. 3. 2026"_s);
}

TEST(DescriptionIndex, RanksSimilarDescriptionsOfTheSameUnitByWeightedSharedWords) {
    const MasterList list = MasterList::parse(test::dataFile(u"catalogue/list.txt"_s));
    using Rows = std::vector<DescriptionIndex::Candidate>;  // row, similarity
    // "REMOVE CULVERT PIPE" (17 letters) shares PIPE and CULVERT (11) with the 24 and 36 inch
    // pipes (17 letters each) and REMOVE and PIPE (10) with row 1 (18 letters).
    const std::tuple<const char16_t*, const char16_t*, int, Rows> cases[] = {
        {u"REMOVE CULVERT PIPE", u"LF", 3, {{3, 22. / 34}, {4, 22. / 34}, {1, 20. / 35}}},
        {u"remove culvert pipe pipe", u"LF  ", 1, {{3, 22. / 34}}},
        {u"Pipe", u"EACH", 5, {{5, 8. / 19}}},
        {u"b\u00e9ton", u"M3", 5, {{7, 10. / 14}}},
        {u"PUPE", u"LF", 5, {}},  // first, middle and last letters of PIPE
        {u"CLEARING", u"LF", 5, {}},
        {u"", u"ACRE", 5, {}},
        {u"CLEARING", u"ACRE", 0, {}},
        {u"CLEARING", u"ACRES", 1, {}}};
    DescriptionIndex index;  // all of them found in one pass
    std::vector<Rows> expected;
    for (const auto& [description, unit, count, rows] : cases) {
        index.add(QStringView(description), QStringView(unit), count);
        expected.push_back(rows);
    }
    EXPECT_EQ(index.closestIn(list), expected);
}

TEST(CategoryTree, SectionsHoldTheirCategoriesInFileOrderAndOddFilesStillGiveATree) {
    const CategoryTree tree = CategoryTree::parse(test::crlf(
        {"2050 EARLY", "2100 GRADING", "2101 CLEARING", "", "2300 PAVING", "2100 AGAIN"}));
    const auto& sections = tree.root.children;
    ASSERT_EQ(sections.size(), 4u);
    EXPECT_EQ(sections[0].text, u"2050 EARLY"_s);  // before the first section: under the root
    EXPECT_EQ(sections[1].key, u"I21"_s);
    ASSERT_EQ(sections[1].children.size(), 2u);  // a blank line is a category
    EXPECT_EQ(sections[1].children[0].text, u"2101 CLEARING"_s);
    EXPECT_TRUE(sections[3].key.isEmpty());  // a repeated section number gets no key
    EXPECT_TRUE(CategoryTree::isCategory(u"2101 CLEARING"_s));
    for (const QString& text : {u"Items"_s, u"2100 GRADING"_s, QString()}) {
        EXPECT_FALSE(CategoryTree::isCategory(text));
    }
    EXPECT_TRUE(test::errorMessage([] {
                    CategoryTree::read(u"/nonexistent/itemcats.txt"_s);
                }).contains(u"itemcats.txt"_s));
}

}  // namespace
}  // namespace veskplan
