#include <gtest/gtest.h>

#include "project/projectcomparison.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(ProjectComparison, AmountsMoveTheOrderAndEveryKindOfChangeIsNamed) {
    const auto item = [](const QString& number, const QString& cat, const QString& description,
                         const QString& unit, std::optional<double> quantity) {
        return ProjectRecord{number, cat, description, unit, quantity};
    };
    const std::vector<ProjectRecord> before = {
        item(u"2101-0300010"_s, u"01"_s, u"CLEARING"_s, u"LS"_s, 1),
        item(u"2105-0100030"_s, u"01"_s, u"EXC"_s, u"CY  "_s, 100),
        item(u"2301-0100070"_s, u"02"_s, u"PAVE"_s, u"SY"_s, 50),
        item(u"2599-9999   "_s, u"01"_s, u"SIGNAL"_s, u"LS"_s, 1)};
    std::vector<ProjectRecord> after = {before[0], before[1], before[2],
                                        item(u"2402-0100100"_s, u"02"_s, u"DECK"_s, u"CY"_s, 10)};
    after[1].quantity = 120;
    after[2].cat = u"03"_s;
    const auto priced = [](ProjectPrices& prices, const ProjectRecord& r, double price) {
        prices.set(ItemKey::of(r), ItemPrice{price, r.units.trimmed(), PriceKind::Typed, {}});
    };
    ProjectPrices oldPrices;
    ProjectPrices newPrices;
    for (size_t i = 0; i < 3; ++i) {
        const double price = i == 0 ? 5000 : i == 1 ? 12.345 : 60;
        priced(oldPrices, before[i], price);
        priced(newPrices, after[i], price);
    }
    priced(newPrices, after[3], 800);
    const ProjectComparison comparison =
        ProjectComparison::compare(before, oldPrices, after, newPrices);
    EXPECT_TRUE(
        test::sameBytes(test::dataFile(u"project/comparison.csv"_s), comparison.toCsv(false)));
    EXPECT_EQ(comparison.toCsv(true).count("\n2101-0300010,CLEARING,LS,01,01,1,1,5000.00,5000.00,"
                                           "0.00,same\n"),
              1);
}

// Without prices, quantities: their change is written as their decimals differ.
TEST(ProjectComparison, AQuantitysChangeIsItsDecimalDifference) {
    const ProjectRecord before{u"2510-0100020"_s, u"01"_s, u"RIPRAP"_s, u"CY"_s, 191};
    ProjectRecord after = before;
    after.quantity = 185.3;
    EXPECT_EQ(ProjectComparison::compare({before}, {}, {after}, {}).toCsv(false).split('\n')[1],
              "2510-0100020,RIPRAP,CY,01,01,191,185.3,,,-5.7,changed");
}

}  // namespace
}  // namespace veskplan
