#include <gtest/gtest.h>
#include <variant>

#include "master/itemmapping.h"
#include "master/masterlist.h"
#include "project/cataloguecheck.h"
#include "project/cataloguetexts.h"
#include "project/exportcheck.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using namespace cataloguecheck;

// Rows 0 to 7 in the list's fixed columns.
const MasterList& list() {
    static const MasterList rows = MasterList::parse(test::dataFile(u"catalogue/list.txt"_s));
    return rows;
}

// The project items of a table of tests/data: number|cat|description|unit|quantity.
std::vector<ProjectRecord> readItems(const QString& name) {
    std::vector<ProjectRecord> rows;
    for (const QStringList& c : test::tableRows(name, 5)) {
        rows.push_back({c[0], c[1], c[2], c[3],
                        c[4].isEmpty() ? std::nullopt : std::optional(c[4].toDouble())});
    }
    return rows;
}
// One item of each kind, worked out by hand in catalogue/report.csv.
const std::vector<ProjectRecord>& kItems() {
    static const std::vector<ProjectRecord> rows = readItems(u"catalogue/items.txt"_s);
    return rows;
}

std::vector<Finding> findings() {
    const ItemMapping mapping = ItemMapping::read(test::dataPath(u"catalogue/mapping.csv"_s));
    return compare(kItems(), list(), &mapping);
}

TEST(CatalogueCheck, FindsEachKindWithItsReplacement) {
    const std::vector<Finding> found = findings();
    // The report tells the rest: each finding's list row and the row proposed (-1 for none).
    QStringList rows;
    for (const Finding& f : found) {
        rows.append(u"%1>%2"_s.arg(f.listRow).arg(f.replacement ? f.replacement->listRow : -1));
    }
    EXPECT_EQ(rows.join(u' '), u"0>-1 2>-1 2>-1 2>-1 -1>3 -1>-1 -1>3 -1>-1 -1>-1 -1>5"_s);
    EXPECT_EQ(countByKind(found), (std::array<int, kKindCount>{5, 2, 2, 1}));
    EXPECT_TRUE(test::sameBytes(test::dataFile(u"catalogue/report.csv"_s), toCsv(found)));
    // Without a mapping file every retired item is offered what resembles it, or nothing.
    const std::vector<Finding> unmapped = compare(kItems(), list(), nullptr);
    for (const auto& [at, row] : {std::pair{4, 3}, {5, 1}, {9, -1}}) {
        const Finding& f = unmapped[static_cast<size_t>(at)];
        EXPECT_EQ(f.replacement ? f.replacement->listRow : -1, row);
        EXPECT_EQ(f.note,
                  row < 0 ? texts::catalogueNoReplacement() : texts::catalogueClosestDescription());
    }
}

TEST(CatalogueCheck, TakingReplacementsOverKeepsCategoryAndQuantityAndRefusesARepeat) {
    const std::vector<Finding> found = findings();
    // Taken over one after another, as one step takes several: each on the items as they stand.
    std::vector<ProjectRecord> items = kItems();
    items[9].quantity = 5;               // typed since the comparison
    items[1].itemNumber = u"2101-09"_s;  // replaced since
    const QString pipe24 = list().description(3).toString();
    const QString excavation = list().description(2).toString();
    const QString apron = list().description(5).toString();
    const std::pair<size_t, std::variant<ProjectRecord, QString>> steps[] = {
        {4, ProjectRecord{u"2501-05     "_s, u"01"_s, pipe24, u"LF  "_s, 120}},
        {6, texts::catalogueAlreadyInCategory(u"2501-05"_s, u"01"_s)},
        {2, ProjectRecord{u"2105-01"_s, u"02"_s, u"EXCAVATION"_s, u"CY  "_s, 0.5}},
        {3, ProjectRecord{u"2105-01"_s, u"02"_s, excavation, u"CY  "_s, 0.5}},
        {1, ProjectRecord{u"2105-01     "_s, u"01"_s, u"EXCAVATION COMMON"_s, u"CY  "_s, 100}},
        {9, ProjectRecord{u"2502-10     "_s, u"03"_s, apron, u"EACH"_s, 5}},
        {0, texts::catalogueItemChanged()},
        {5, texts::catalogueNothingToTakeOver(u"2104-99"_s)},
        {7, texts::catalogueFreeTextKept()}};
    for (const auto& [at, expected] : steps) {
        SCOPED_TRACE(at);
        const size_t position = static_cast<size_t>(found[at].position);
        const TakeOver takeOver = replacementChange(found[at], items);
        if (const auto* after = std::get_if<ProjectRecord>(&expected)) {
            ASSERT_TRUE(takeOver.change.has_value()) << takeOver.refusal.toStdString();
            EXPECT_EQ(*takeOver.change, std::pair(items[position], *after));
            items[position] = takeOver.change->second;
        } else {
            EXPECT_EQ(std::pair(takeOver.change, takeOver.refusal),
                      std::pair(decltype(takeOver.change)(), std::get<QString>(expected)));
        }
    }
    // A marked item's second finding still finds it once the first took the mark away.
    Finding second = found[1];
    second.kind = Finding::Kind::DescriptionChanged;
    second.listDescription = u"EXCAVATION, COMMON"_s;
    const auto again = replacementChange(second, items).change;
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->second.description, u"EXCAVATION, COMMON"_s);
}

QStringList linesOf(const std::vector<ExportCheck>& checks) {
    QStringList lines;
    for (const ExportCheck& c : checks) {
        lines << QString::number(c.severity) + u'|' + c.itemNumber + u'|' + c.category + u'|' +
                     c.message;
    }
    return lines;
}

TEST(ExportCheck, ReportsItemsThenTheProject) {
    const std::vector<ProjectRecord> items = readItems(u"catalogue/export-items.txt"_s);
    using E = ExportCheck;
    const std::vector<E> withList = {
        {E::Error, u"2501-01       <<"_s, u"01"_s, texts::exportItemMarked()},
        {E::Error, u"2501-01       <<"_s, u"01"_s, texts::exportNegativeQuantity()},
        {E::Error, u" 2101-01  "_s, u"01"_s, texts::exportItemRepeated(u"01"_s)},
        {E::Warning, u" 2101-01  "_s, u"01"_s, texts::exportNoQuantity()},
        {E::Warning, u"2599-9999"_s, u"01"_s, texts::exportZeroQuantity()},
        {E::Error, u"3000-01"_s, u"02"_s, texts::exportItemNotInList()},
        {E::Warning, u"3000-01"_s, u"02"_s, texts::exportZeroQuantity()},
        {E::Error, u""_s, u"02"_s, texts::exportItemNotInList()}};
    EXPECT_EQ(linesOf(checkBeforeExport(items, u"STP-12-B(7)03"_s, 0, &list())), linesOf(withList));
    // Without a list only the mark tells what the list lacks.
    std::vector<E> withoutList = withList;
    withoutList.erase(withoutList.begin() + 7);
    withoutList.erase(withoutList.begin() + 5);
    EXPECT_EQ(linesOf(checkBeforeExport(items, u"STP-12-B(7)03"_s, 11, nullptr)),
              linesOf(withoutList));

    const E noCounty{E::Warning, {}, {}, texts::exportNoCounty()};
    const E noMonth{E::Warning, {}, {}, texts::exportNoLettingMonth()};
    const std::tuple<const char16_t*, int, std::vector<E>> projects[] = {
        {u"NH-5-A(12)-7", 3, {}},          {u"", 3, {noCounty}},
        {u"STP-12-B(7)AB", 3, {noCounty}}, {u"STP12-B(7)03", 3, {noCounty}},
        {u"STP-12-B7)03", 3, {noCounty}},  {u"(STP-12-B)03", 3, {noCounty}},
        {u"STP-12-B(703", 3, {noCounty}},  {u"STP-12-B(7)03", -1, {noMonth}},
        {u"X", 12, {noCounty, noMonth}}};
    for (const auto& [number, month, expected] : projects) {
        EXPECT_EQ(linesOf(checkBeforeExport({}, QString::fromUtf16(number), month, nullptr)),
                  linesOf(expected));
    }
}

}  // namespace
}  // namespace veskplan
