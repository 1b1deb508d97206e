#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "base/numbertext.h"
#include "master/masterlistfile.h"
#include "project/projectdocument.h"
#include "support/testfiles.h"
#include "takeoff/itemmatcher.h"
#include "takeoff/takeoffreview.h"
#include "takeoff/unitconversion.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::dataPath;

QString sample(const QString& name) {
    return QStringLiteral(VESKPLAN_SOURCE_DIR "/data/") + name;
}

QString optionalText(const std::optional<double>& value) {
    return value ? numbertext::shortest(*value) : u"-"_s;
}

TEST(TakeoffFile, QuantitiesAreReadAsReportsWriteThem) {
    for (const QStringList& c : test::tableRows(u"takeoff/quantities.txt"_s, 4)) {
        QString said;
        try {
            const auto quantity = TakeoffFile::parseQuantity(c[0], c[1] == u";"_s);
            said = numbertext::shortest(quantity.value) + u'|' + quantity.unit;
        } catch (const Error& error) {
            said = u'!' + error.message();
        }
        EXPECT_EQ(said, c[2].startsWith(u'!') ? c[2] : c[2] + u'|' + c[3]) << c[0].toStdString();
    }
}

TEST(TakeoffFile, EveryLayoutIsReadWithWhereEachLineComesFrom) {
    QStringList said;
    const QStringList files = {
        sample(u"sample-takeoff-summary.csv"_s), sample(u"sample-takeoff-detailed.csv"_s),
        sample(u"sample-takeoff-traps.csv"_s), dataPath(u"takeoff/plain.xlsx"_s),
        dataPath(u"takeoff/custom.csv"_s)};
    for (const QString& path : files) {
        const bool custom = path.endsWith(u"custom.csv"_s);
        const TakeoffFile file = TakeoffFile::read(
            path, custom ? TakeoffLayout::read(dataPath(u"takeoff/custom-layout.txt"_s))
                         : TakeoffLayout());
        for (const TakeoffLine& l : file.lines()) {
            said.append(QStringList{QFileInfo(path).fileName() + u':' + QString::number(l.line),
                                    l.itemNumber, l.description, numbertext::shortest(l.quantity),
                                    l.unit, l.categoryText, l.where}
                            .join(u'|'));
        }
    }
    QStringList expected;
    for (const QStringList& row : test::tableRows(u"takeoff/lines.txt"_s, 7)) {
        expected.append(row.join(u'|'));
    }
    EXPECT_EQ(said, expected);
}

TEST(TakeoffFile, BadInputIsRefusedNamingTheFileTheLineAndTheReason) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"takeoff.csv"_s);
    const QString shown = QDir::toNativeSeparators(path);
    const auto refusal = [&](int line, const QString& reason) {
        return u"The take-off file "_s + shown + u" could not be read"_s +
               (line > 0 ? u" at line "_s + QString::number(line) : QString()) + u": "_s + reason;
    };
    for (const QStringList& c : test::tableRows(u"takeoff/badfiles.txt"_s, 3)) {
        test::writeFile(path, QString(c[0]).replace(u"\\n"_s, u"\n"_s).toUtf8());
        EXPECT_EQ(test::errorMessage([&] { TakeoffFile::read(path); }),
                  refusal(c[1].toInt(), c[2]));
    }
    test::writeFile(path, QByteArray("Pay Item ID\0Quantity", 20));
    EXPECT_EQ(test::errorMessage([&] { TakeoffFile::read(path); }),
              refusal(0, u"not a text file"_s));
    // Two gigabytes, refused before a byte is read; and a workbook that is none.
    QFile huge(path);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(2LL * 1024 * 1024 * 1024));
    huge.close();
    EXPECT_EQ(test::errorMessage([&] { TakeoffFile::read(path); }),
              refusal(0, u"the file is larger than such a file can be (256 MB)"_s));
    const QString workbook = dir.filePath(u"takeoff.xlsx"_s);
    test::writeFile(workbook, "Pay Item ID,Quantity,Unit\n2101,5,LF\n");
    EXPECT_TRUE(test::errorMessage([&] { TakeoffFile::read(workbook); })
                    .startsWith(u"The take-off file "_s + QDir::toNativeSeparators(workbook) +
                                u" could not be read: "_s));
}

TEST(TakeoffUnits, CompatibleUnitsConvertExactlyAndOthersNever) {
    for (const QStringList& c : test::tableRows(u"takeoff/units.txt"_s, 4)) {
        const auto factor = unitconversion::factor(c[0], c[1]);
        EXPECT_EQ(factor ? numbertext::shortest(factor->apply(c[2].toDouble())) : u"-"_s, c[3])
            << c[0].toStdString() << " to " << c[1].toStdString();
    }
}

TEST(TakeoffUnits, ItemNumbersMatchInEachFormUnlessTwoItemsWouldFit) {
    const MasterList list = MasterListFile::read(dataPath(u"takeoff/items.txt"_s)).rows;
    const ItemMatcher matcher(list);
    for (const QStringList& c : test::tableRows(u"takeoff/matching.txt"_s, 2)) {
        const int row = matcher.rowOf(c[0]);
        EXPECT_EQ(row < 0 ? u"-"_s : list.itemNumber(row).trimmed().toString(), c[1])
            << c[0].toStdString();
    }
}

TEST(TakeoffUnits, RoundingRulesMakeBidQuantities) {
    const RoundingRules rules = RoundingRules::read(dataPath(u"takeoff/rounding.txt"_s));
    for (const QStringList& c : test::tableRows(u"takeoff/rounded.txt"_s, 3)) {
        EXPECT_EQ(numbertext::shortest(rules.apply(c[0], c[1].toDouble())), c[2])
            << c[0].toStdString() << ' ' << c[1].toStdString();
    }
}

TEST(TakeoffUnits, BadLayoutAndRoundingFilesNameTheFileTheLineAndTheReason) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"rules.txt"_s);
    for (const QStringList& c : test::tableRows(u"takeoff/badrules.txt"_s)) {
        test::writeFile(path, QString(c[1]).replace(u"\\n"_s, u"\n"_s).toUtf8());
        const bool layout = c[0] == u"layout"_s;
        EXPECT_EQ(test::errorMessage([&] {
                      layout ? void(TakeoffLayout::read(path)) : void(RoundingRules::read(path));
                  }),
                  (layout ? u"The take-off layout "_s : u"The rounding rules "_s) +
                      QDir::toNativeSeparators(path) + u" could not be read at line "_s + c[2] +
                      u": "_s + c.mid(3).join(u'|'));
    }
}

class TakeoffReviewTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ProjectDocument document{RecordStore::create(dir.filePath(u"work.vsk"_s))};
    MasterList list = MasterListFile::read(dataPath(u"takeoff/items.txt"_s)).rows;
    std::vector<ProjectRecord> before = {
        {u"2101-0300010"_s, u"01"_s, u"CLEARING AND GRUBBING"_s, u"LS"_s, 1},
        {u"2105-0100030"_s, u"01"_s, u"COMMON EXCAVATION (CV)"_s, u"CY"_s, 20},
        {u"2105-0100030"_s, u"02"_s, u"COMMON EXCAVATION (CV)"_s, u"CY"_s, 5},
        {u"2107-0100010"_s, u"03"_s, u"GEOTEXTILE FABRIC TYPE 1"_s, u"SY"_s, 31},
        {u"2303-0100140"_s, u"01"_s, u"ASPHALT LEVELING COURSE"_s, u"TON"_s, 60.5},
        {u"2501-0100110"_s, u"02"_s, u"18 INCH RC PIPE CULVERT"_s, u"LF"_s, std::nullopt}};

    std::vector<TakeoffReview::Row> review(std::optional<QString> defaultCategory = u"02"_s) {
        CategoryList categories;
        for (const QString& number : {u"01"_s, u"02"_s, u"03"_s}) {
            categories.append(number, QString());
        }
        TakeoffSum sum(list);
        sum.add(TakeoffFile::read(dataPath(u"takeoff/review-takeoff.csv"_s)));
        const TakeoffReview::Options options{
            defaultCategory, RoundingRules::read(dataPath(u"takeoff/rounding.txt"_s)), {}};
        return TakeoffReview::compute(before, categories, list, sum,
                                      TakeoffLayout::read(dataPath(u"takeoff/review-layout.txt"_s)),
                                      options);
    }
    QStringList records() {
        QStringList text;
        for (const ProjectRecord& r : document.items().records(IndexOrder::PrimaryKey)) {
            text.append(r.cat + u' ' + r.itemNumber.trimmed() + u' ' + optionalText(r.quantity));
        }
        return text;
    }
};

TEST_F(TakeoffReviewTest, EveryItemHasItsStatusCategoryAndQuantities) {
    EXPECT_TRUE(
        test::sameBytes(test::dataFile(u"takeoff/review.csv"_s), TakeoffReview::toCsv(review())));
}

TEST_F(TakeoffReviewTest, AcceptedRowsGoInAsOneStepThatUndoesWhole) {
    document.items().replaceAll(before);
    const QStringList held = records();
    // Without a default category the item no rule places waits for the designer.
    ASSERT_TRUE(TakeoffReview::apply(document, review(std::nullopt), list).stored());
    EXPECT_EQ(records(), QStringList({u"01 2101-0300010 1"_s, u"01 2105-0100030 21"_s,
                                      u"01 2303-0100140 60.5"_s, u"01 2502-0100010 12"_s,
                                      u"02 2105-0100030 10"_s, u"02 2501-0100110 10"_s,
                                      u"03 2106-0100010 100"_s, u"03 2107-0100010 31"_s}));
    EXPECT_EQ(document.undoStack().count(), 1);
    document.undo();
    EXPECT_EQ(records(), held);
}

}  // namespace
}  // namespace veskplan
