#include <gtest/gtest.h>
#include <QDir>

#include "base/texts.h"
#include "master/itemmapping.h"
#include "master/masterlist.h"
#include "master/mastertexts.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kName = u"map.csv"_s;

// A lookup in one line: the numbers followed, joined by ">", then the unit; empty for none.
QString lookUp(const ItemMapping& mapping, const QString& number) {
    const std::optional<Replacement> found = mapping.replacementFor(number);
    return found ? found->path.join(u'>') + u' ' + found->unit : QString();
}

TEST(ItemMapping, ReadsQuotedFieldsInEitherEncodingAndAnyColumnOrder) {
    const std::tuple<QByteArray, QString, QString> cases[] = {
        {"previous item id,New Item ID\n2101-01,2101-02\n", u" 2101-01 "_s, u"2101-01>2101-02 "_s},
        {"\xEF\xBB\xBF Unit of Measure ,Note,NEW ITEM ID,Previous Item ID\r\n"
         "LF,\"a, \"\"b\"\"\r\nc\",2501-02,2501-01\r\n",
         u"2501-01"_s, u"2501-01>2501-02 LF"_s},
        {"Previous Item ID,New Item ID,Unit of Measure\rB\xC9TON-1,B\xC9TON-2,M\xB3\r",
         u"B\u00c9TON-1"_s, u"B\u00c9TON-1>B\u00c9TON-2 M\u00b3"_s},
        {"Previous Item ID,New Item ID,Unit of Measure\nB\xC3\x89TON-1,B\xC3\x89TON-2,M\xC2\xB3",
         u"B\u00c9TON-1"_s, u"B\u00c9TON-1>B\u00c9TON-2 M\u00b3"_s},
        {"\"Previous Item ID\",\"New Item ID\"\n\"21,01\" ,\"2101-\"\"02\"\n", u"21,01"_s,
         u"21,01>2101-\"02 "_s}};
    for (const auto& [bytes, number, expected] : cases) {
        const ItemMapping mapping = ItemMapping::parse(bytes, kName);
        EXPECT_EQ(mapping.problems().join(u'|'), QString());
        EXPECT_EQ(lookUp(mapping, number), expected) << bytes.toStdString();
    }
}

TEST(ItemMapping, LeavesOutBadRowsAndTellsTheirLines) {
    // Line 8 holds a field over two lines; line 10 is blank, 11 and 12 are cut short.
    const ItemMapping mapping = ItemMapping::read(test::dataPath(u"master/badrows.csv"_s));
    EXPECT_EQ(mapping.problems(),
              (QStringList{texts::mappingLine(3, texts::mappingPreviousBlank()),
                           texts::mappingLine(4, texts::mappingNewBlank(u"D"_s)),
                           texts::mappingLine(5, texts::mappingToItself(u"E"_s)),
                           texts::mappingLine(7, texts::mappingTwice(u"A"_s, u"B"_s, u"X"_s)),
                           texts::mappingLine(12, texts::mappingNewBlank(u"J"_s)),
                           texts::mappingLine(13, texts::mappingQuoteNotClosed())}));
    EXPECT_EQ(mapping.count(), 2);
    EXPECT_EQ(lookUp(mapping, u"A"_s), u"A>B LF"_s);
    EXPECT_EQ(lookUp(mapping, u"F"_s), u"F>H LF"_s);
    for (const QString& number : {u"D"_s, u"E"_s, u"J"_s, u"K"_s, u""_s}) {
        EXPECT_EQ(lookUp(mapping, number), QString());
    }
}

TEST(ItemMapping, FollowsChainsToTheirEndAndStopsAtCircles) {
    const ItemMapping mapping = ItemMapping::parse(
        "Previous Item ID,New Item ID\nX,P\nA,B\nB,C\nP,Q\nQ,R\nR,P\nZ,A\n", kName);
    EXPECT_EQ(mapping.problems(),
              QStringList{texts::mappingLine(5, texts::mappingCircle(u"P -> Q -> R -> P"_s))});
    const std::pair<QString, QString> cases[] = {
        {u"A"_s, u"A>B>C "_s}, {u"B"_s, u"B>C "_s},   {u"Z"_s, u"Z>A>B>C "_s},
        {u"P"_s, u"P>Q>R "_s}, {u"R"_s, u"R>P>Q "_s}, {u"X"_s, u"X>P>Q>R "_s},
        {u"C"_s, {}}};
    for (const auto& [number, expected] : cases) {
        EXPECT_EQ(lookUp(mapping, number), expected);
    }
    QByteArray chain = "Previous Item ID,New Item ID\n";
    for (int i = 0; i < 40; ++i) {
        chain += 'N' + QByteArray::number(i) + ",N" + QByteArray::number(i + 1) + '\n';
    }
    const ItemMapping longChain = ItemMapping::parse(chain, kName);
    EXPECT_EQ(longChain.problems(),
              QStringList{texts::mappingLine(
                  2, texts::mappingChainTooLong(u"N0"_s, ItemMapping::kMaxSteps))});
    EXPECT_EQ(longChain.replacementFor(u"N0")->path.size(), ItemMapping::kMaxSteps + 1);
    EXPECT_EQ(longChain.replacementFor(u"N0")->itemNumber, u"N32"_s);
    EXPECT_EQ(longChain.replacementFor(u"N10")->itemNumber, u"N40"_s);
}

TEST(ItemMapping, RefusesFilesItCannotUse) {
    const QString previous = u"Previous Item ID"_s;
    const QString next = u"New Item ID"_s;
    const std::pair<QByteArray, QString> cases[] = {
        {"", texts::mappingColumnsMissing(kName, previous, next)},
        {"Previous Item ID,Other\nA,B\n", texts::mappingColumnsMissing(kName, next, {})},
        {"\n,\nPrevious Item IDs,New Item ID\nA,B\n",
         texts::mappingColumnsMissing(kName, previous, {})},
        {QByteArray(200'001, '\r'), texts::mappingUnreadable(kName, texts::tooManyLines(200'000))},
        {QByteArray(16 * 1024 * 1024 + 1, 'x'),
         texts::mappingUnreadable(kName, texts::fileTooLarge(16 * 1024 * 1024))}};
    for (const auto& [bytes, error] : cases) {
        EXPECT_EQ(test::errorMessage([&b = bytes] { ItemMapping::parse(b, kName); }), error);
    }
    const QString missing = test::dataPath(u"catalogue/none.csv"_s);
    EXPECT_TRUE(test::errorMessage([&] {
                    ItemMapping::read(missing);
                }).startsWith(texts::mappingUnreadable(QDir::toNativeSeparators(missing), {})));
    EXPECT_EQ(ItemMapping::read(test::dataPath(u"catalogue/mapping.csv"_s)).count(), 4);
}

TEST(MasterList, RowOfNumberIsTheFirstRowOfTheTrimmedNumber) {
    const MasterList list = MasterList::parse(
        test::crlf({"2101-01      A", " 2101-02     B", "2101-01      C", "", "2599"}));
    const std::pair<const char16_t*, int> cases[] = {
        {u"2101-01", 0}, {u"2101-02", 1}, {u"2599", 4}, {u"", -1}, {u"2101-01 ", -1}, {u"21", -1}};
    for (const auto& [number, row] : cases) {
        EXPECT_EQ(list.rowOfNumber(number), row);
        EXPECT_EQ(list.containsNumber(number), row >= 0);
    }
}

}  // namespace
}  // namespace veskplan
