// The bundled data files and the large lists: exact content worked out by hand, the committed
// copies in data/, and the format rules, checked by readers written independently of the
// generator. Each reader is itself tried on small faulty inputs first, so a reader that accepts
// anything cannot make the real checks pass.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

#include "sampledata/sampledata.h"
#include "shell/textcodec.h"

using namespace Qt::Literals::StringLiterals;
using testing::HasSubstr;
using testing::IsEmpty;

namespace veskplan::sampledata {
namespace {

using Problems = std::vector<std::string>;

// The English units, and the metric unit each becomes.
const QHash<QString, QString> kMetricUnit = {
    {u"LS"_s, u"LS"_s}, {u"EACH"_s, u"EACH"_s}, {u"HR"_s, u"HR"_s},   {u"CY"_s, u"M3"_s},
    {u"SY"_s, u"M2"_s}, {u"SF"_s, u"M2"_s},     {u"LF"_s, u"M"_s},    {u"TON"_s, u"T"_s},
    {u"LB"_s, u"KG"_s}, {u"GAL"_s, u"L"_s},     {u"ACRE"_s, u"HA"_s}, {u"MGAL"_s, u"M3"_s},
};

// Adds "line N: what" for each check that failed.
void report(Problems& problems, qsizetype index,
            std::initializer_list<std::pair<bool, std::string>> checks) {
    for (const auto& [failed, what] : checks) {
        if (failed) {
            problems.push_back("line " + std::to_string(index + 1) + ": " + what);
        }
    }
}

// Splits at CR LF, reporting any other line end and a missing one after the last line.
QList<QByteArray> crlfLines(const QByteArray& bytes, Problems& problems) {
    if (!bytes.isEmpty() && !bytes.endsWith("\r\n")) {
        problems.push_back("last line not ended by CR LF");
    }
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast();  // what follows the last line end
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool ended = lines[i].endsWith('\r');
        lines[i].chop(ended ? 1 : 0);
        report(problems, i, {{!ended, "LF without CR"}, {lines[i].contains('\r'), "stray CR"}});
    }
    return lines;
}

// Windows-1252 text the program can read back: no undefined byte (they decode to C1
// controls) and no other control character.
bool cleanText(const QByteArray& bytes) {
    const QString text = textcodec::decode(bytes);
    for (QChar c : text) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0)) {
            return false;
        }
    }
    return textcodec::encode(text) == bytes;
}

struct Reading {
    Problems problems;
    QStringList numbers;       // item numbers without padding; codes of itemcats.txt
    QStringList descriptions;  // padded to 40
    QStringList units;         // without padding
    QSet<QByteArray> categoryCodes;
    int sections = 0;
};

// A master list: 57 columns of number, blank, description (40) and unit (4); numbers ascending.
Reading readMasterList(const QByteArray& bytes, Units units,
                       const QSet<QByteArray>& knownCategories) {
    static const QRegularExpression pattern(
        u"^(\\d{4}-\\d{7}|2599-9999   ) (\\S.{39})(\\S.{3})$"_s);
    Reading reading;
    const auto lines = crlfLines(bytes, reading.problems);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString text = textcodec::decode(lines[i]);
        const auto match = pattern.match(text);
        const QString number = match.captured(1).trimmed();
        const QString unit = match.captured(3).trimmed();
        const QString previous = reading.numbers.value(reading.numbers.size() - 1);
        report(reading.problems, i,
               {{!match.hasMatch(), "not NUMBER DESCRIPTION UNIT: \"" + text.toStdString() + "\""},
                {!cleanText(lines[i]), "not clean Windows-1252"},
                {text != text.toUpper(), "not upper case"},
                {match.hasMatch() && (units == Units::English ? !kMetricUnit.contains(unit)
                                                              : kMetricUnit.key(unit).isNull()),
                 "unit \"" + unit.toStdString() + "\""},
                {!previous.isNull() && number <= previous,
                 "item number " + number.toStdString() + " not above " + previous.toStdString()},
                {!knownCategories.contains(lines[i].left(4)),
                 "category " + lines[i].left(4).toStdString() + " not in itemcats.txt"}});
        reading.numbers.append(number);
        reading.descriptions.append(match.captured(2));
        reading.units.append(unit);
        reading.categoryCodes.insert(lines[i].left(4));
    }
    return reading;
}

// itemcats.txt: "CCCC TITLE"; "NN00" opens a section, every other code belongs to the section
// above it and starts with the same two digits. Codes are not repeated.
Reading readCategories(const QByteArray& bytes) {
    static const QRegularExpression pattern(u"^(\\d\\d)(\\d\\d) (\\S.*\\S|\\S)$"_s);
    Reading reading;
    const auto lines = crlfLines(bytes, reading.problems);
    QString section;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString text = textcodec::decode(lines[i]);
        const auto match = pattern.match(text);
        const bool opens = match.captured(2) == u"00"_s;
        report(reading.problems, i,
               {{!match.hasMatch() || !cleanText(lines[i]),
                 "not \"CODE TITLE\": \"" + text.toStdString() + "\""},
                {text != text.toUpper(), "not upper case"},
                {reading.numbers.contains(text.left(4)), text.left(4).toStdString() + " repeated"},
                {!opens && match.captured(1) != section,
                 text.left(4).toStdString() + " not under a section " + section.toStdString()}});
        reading.numbers.append(text.left(4));
        if (opens) {
            section = match.captured(1);
            ++reading.sections;
        } else {
            reading.categoryCodes.insert(lines[i].left(4));
        }
    }
    return reading;
}

std::string joined(const Problems& problems) {
    std::string text;
    for (const auto& p : problems) {
        text += p + "\n";
    }
    return text;
}

qsizetype distinct(const QStringList& list) {
    return QSet<QString>(list.begin(), list.end()).size();
}

TEST(FormatReaderTest, RejectFaultyFilesAndAcceptGoodOnes) {
    // Columns worked out by hand: number 1-12, blank 13, description 14-53, unit 54-57.
    const QByteArray good = "2101-0100010 CLEARING                                ACRE\r\n";
    ASSERT_EQ(good.size(), 59);
    const auto reading = readMasterList(good, Units::English, {"2101"});
    EXPECT_THAT(reading.problems, IsEmpty()) << joined(reading.problems);
    EXPECT_EQ(reading.numbers, QStringList{u"2101-0100010"_s});
    // Wrong lengths, column 13 not blank, bad numbers, a blank description, the unit not left
    // aligned.
    for (const QByteArray& bytes :
         {good.left(56) + "\r\n", good.left(57) + " \r\n", QByteArray(good).replace(12, 1, "X"),
          QByteArray(good).replace(5, 7, "01000X0"), QByteArray(good).replace(9, 3, "   "),
          QByteArray(good).replace(13, 8, "        "), QByteArray(good).replace(53, 4, "  LS")}) {
        EXPECT_THAT(joined(readMasterList(bytes, Units::English, {"2101"}).problems),
                    HasSubstr("NUMBER DESCRIPTION UNIT"))
            << bytes.toStdString();
    }
    const std::pair<QByteArray, const char*> masterLists[] = {
        {good.left(57) + "\n", "LF without CR"},
        {good.left(57), "not ended by CR LF"},
        {QByteArray(good).replace(13, 8, "Clearing"), "not upper case"},
        {QByteArray(good).replace(13, 1, "\x81"), "Windows-1252"},
        {QByteArray(good).replace(53, 4, "M2  "), "unit \"M2\""},
        {"2101-0200010" + good.mid(12) + good, "not above"},
        {good + good, "not above"},
        {QByteArray(good).replace(0, 4, "2109"), "not in itemcats"},
    };
    for (const auto& [bytes, expected] : masterLists) {
        EXPECT_THAT(joined(readMasterList(bytes, Units::English, {"2101", "2102"}).problems),
                    HasSubstr(expected))
            << bytes.toStdString();
    }
    EXPECT_THAT(joined(readMasterList(good, Units::Metric, {"2101"}).problems),
                HasSubstr("unit \"ACRE\""));

    const auto categories =
        readCategories("2100 GRADING\r\n2101 CLEARING\r\n2200 BASE\r\n2201 X\r\n");
    EXPECT_THAT(categories.problems, IsEmpty()) << joined(categories.problems);
    EXPECT_EQ(categories.categoryCodes, (QSet<QByteArray>{"2101", "2201"}));
    EXPECT_EQ(categories.sections, 2);
    const std::pair<QByteArray, const char*> categoryFiles[] = {
        {"2101 CLEARING\r\n2100 GRADING\r\n", "not under a section"},
        {"2100 A\r\n2101 B\r\n2100 C\r\n", "2100 repeated"},
        {"2100 A\r\n2101 B\r\n2101 C\r\n", "2101 repeated"},
        {"2100 A\r\n2201 B\r\n", "2201 not under a section 21"},
        {"2100 A\r\n\r\n2101 B\r\n", "not \"CODE TITLE\""},
        {"2100 A\r\n2101 B \r\n", "not \"CODE TITLE\""},
        {"2100 A\r\n2101\r\n", "not \"CODE TITLE\""},
        {"2100 A\r\n2101 Clearing\r\n", "not upper case"},
        {"2100 A\n2101 B\r\n", "LF without CR"},
    };
    for (const auto& [bytes, expected] : categoryFiles) {
        EXPECT_THAT(joined(readCategories(bytes).problems), HasSubstr(expected))
            << bytes.toStdString();
    }
}

bool containsLine(const QByteArray& file, const QByteArray& line) {
    return file.startsWith(line) || file.contains("\r\n" + line);
}

TEST(BundledDataTest, HoldsHandCountedLines) {
    // Lines worked out by hand, blanks counted to the columns: number 1-12, blank 13,
    // description 14-53 (40), unit 54-57 (4). "\xBD" is the Windows-1252 byte of the half
    // sign, "\xB0" that of the degree sign.
    const std::pair<QByteArray, QByteArray> lines[] = {
        {"2501-0100060 15 INCH RC PIPE CULVERT CLASS III       LF  \r\n",
         "2501-0100060 375 MM RC PIPE CULVERT CLASS III        M   \r\n"},
        {"2305-0100020 MILL ASPHALT SURFACE 1\xBD INCH            SY  \r\n",
         "2305-0100020 MILL ASPHALT SURFACE 40 MM              M2  \r\n"},
        {"2512-0300050 22\xBD\xB0 BEND FOR 6 INCH WATER MAIN         EACH\r\n",
         "2512-0300050 22\xBD\xB0 BEND FOR 150 MM WATER MAIN         EACH\r\n"},
        {"2599-9999    SPECIAL ITEM (DESCRIBE)                 LS  \r\n",
         "2599-9999    SPECIAL ITEM (DESCRIBE)                 LS  \r\n"},
        {"2703-0300010 MILEPOST MARKER                         EACH\r\n",
         "2703-0300010 KILOMETER POST MARKER                   EACH\r\n"},
    };
    const QByteArray english = masterList(Units::English);
    const QByteArray metric = masterList(Units::Metric);
    for (const auto& [englishLine, metricLine] : lines) {
        ASSERT_EQ(englishLine.size(), 59);  // guards the hand count itself
        ASSERT_EQ(metricLine.size(), 59);
        EXPECT_TRUE(containsLine(english, englishLine)) << englishLine.data();
        EXPECT_TRUE(containsLine(metric, metricLine)) << metricLine.data();
    }
    EXPECT_TRUE(
        english.startsWith("2101-0100010 CLEARING                                ACRE\r\n"));
    EXPECT_TRUE(metric.startsWith("2101-0100010 CLEARING                                HA  \r\n"));

    const QByteArray categories = categoryFile();
    EXPECT_TRUE(categories.startsWith(
        "2100 GRADING AND EARTHWORK\r\n2101 CLEARING AND GRUBBING\r\n2102 REMOVALS\r\n"));
    EXPECT_TRUE(categories.contains("\r\n2500 DRAINAGE AND INCIDENTALS\r\n2501 PIPE CULVERTS\r\n"));
    EXPECT_TRUE(categories.contains("\r\n2599 SPECIAL ITEMS\r\n"));
    EXPECT_TRUE(countyFile().startsWith("Alder\r\nApplewood\r\nAshgrove\r\n"));
    EXPECT_TRUE(countyFile().endsWith("\r\nWillow\r\nWindmill\r\nWolf River\r\n"));
}

TEST(BundledDataTest, FollowsTheFormatRulesInBothUnitSystems) {
    const auto categories = readCategories(categoryFile());
    EXPECT_THAT(categories.problems, IsEmpty()) << joined(categories.problems);
    EXPECT_GE(categories.categoryCodes.size(), 40);
    EXPECT_LE(categories.categoryCodes.size(), 80);
    EXPECT_GE(categories.sections, 5);
    ASSERT_TRUE(categories.categoryCodes.contains("2599"));

    // Every category used; a designer picks items by description, so no two share one.
    const Reading english =
        readMasterList(masterList(Units::English), Units::English, categories.categoryCodes);
    const Reading metric =
        readMasterList(masterList(Units::Metric), Units::Metric, categories.categoryCodes);
    for (const Reading* reading : {&english, &metric}) {
        EXPECT_THAT(reading->problems, IsEmpty()) << joined(reading->problems);
        EXPECT_EQ(reading->categoryCodes, categories.categoryCodes);
        EXPECT_EQ(distinct(reading->descriptions), reading->descriptions.size());
        EXPECT_GE(reading->descriptions.filter(u"PIPE"_s).size(), 100);
    }
    // One list in two unit systems: the same numbers in the same order, 2599-9999 the one
    // free-text number among other 2599 items, units converted, no English measure left in the
    // metric descriptions.
    EXPECT_EQ(english.numbers, metric.numbers);
    EXPECT_GE(english.numbers.size(), 1000);
    EXPECT_LE(english.numbers.size(), 3000);
    EXPECT_EQ(english.numbers.count(u"2599-9999"_s), 1);
    EXPECT_GE(english.numbers.filter(QRegularExpression(u"^2599-"_s)).size(), 3);
    int differing = 0;
    for (qsizetype i = 0; i < english.numbers.size() && i < metric.numbers.size(); ++i) {
        EXPECT_EQ(kMetricUnit.value(english.units[i]), metric.units[i])
            << english.numbers[i].toStdString();
        for (const QString& word :
             {u" INCH "_s, u" FT "_s, u" GAUGE "_s, u" GAL "_s, u" QT "_s, u" MILEPOST "_s}) {
            EXPECT_FALSE((u' ' + metric.descriptions[i]).contains(word))
                << metric.descriptions[i].toStdString();
        }
        EXPECT_FALSE((u' ' + english.descriptions[i]).contains(u" MM "_s))
            << english.numbers[i].toStdString();
        differing += english.descriptions[i] != metric.descriptions[i];
    }
    EXPECT_GE(differing, 300);
    EXPECT_GE(english.descriptions.filter(QRegularExpression(u"[^\\x{0}-\\x{7f}]"_s)).size(), 5);

    // Ninety-nine distinct county names.
    Problems problems;
    const auto counties = crlfLines(countyFile(), problems);
    EXPECT_THAT(problems, IsEmpty()) << joined(problems);
    for (const auto& line : counties) {
        EXPECT_TRUE(!line.isEmpty() && line == line.trimmed() && cleanText(line)) << line.data();
    }
    EXPECT_EQ(QSet<QByteArray>(counties.begin(), counties.end()).size(), 99);
    EXPECT_EQ(counties.size(), 99);
}

TEST(BundledDataTest, CommittedFilesAreTheGeneratorOutput) {
    const std::pair<const char*, QByteArray> files[] = {
        {"itemse.txt", masterList(Units::English)},
        {"itemsm.txt", masterList(Units::Metric)},
        {"itemcats.txt", categoryFile()},
        {"counties.txt", countyFile()},
    };
    for (const auto& [name, bytes] : files) {
        QFile file(QStringLiteral(VESKPLAN_SOURCE_DIR "/data/") + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        EXPECT_TRUE(file.readAll() == bytes)
            << "data/" << name
            << " differs from the generator; rewrite it with: veskplan-sampledata sample data";
    }
}

TEST(LargeMasterListTest, SmallestListsAndRowCountsOutsideTheRange) {
    EXPECT_TRUE(largeMasterList(0, Units::English).isEmpty());
    const QByteArray freeText = "2599-9999    SPECIAL ITEM (DESCRIBE)                 LS  \r\n";
    EXPECT_EQ(largeMasterList(1, Units::English), freeText);
    EXPECT_EQ(largeMasterList(1, Units::Metric, 99), freeText);
    for (int rows : {-1, INT_MIN, kMaxLargeRows + 1, INT_MAX}) {
        EXPECT_THROW(largeMasterList(rows, Units::English), std::invalid_argument) << rows;
    }
}

TEST(LargeMasterListTest, TheSeedDecidesTheContentButNotTheSize) {
    EXPECT_TRUE(largeMasterList(6000, Units::English, 5) ==
                largeMasterList(6000, Units::English, 5));
    EXPECT_TRUE(largeMasterList(6000, Units::Metric) == largeMasterList(6000, Units::Metric, 1));
    const QByteArray one = largeMasterList(6000, Units::English, 1);
    const QByteArray two = largeMasterList(6000, Units::English, 2);
    EXPECT_EQ(one.size(), two.size());
    EXPECT_FALSE(one == two);
}

// Every size follows the master list format. The rows are bundled items under new numbers:
// the English and Metric lists of one seed share their numbers, and each row's two texts are
// one bundled item in both unit systems. From a few thousand rows on, every category has rows,
// drawn across the vocabulary, and one in a hundred is a PIPE item.
TEST(LargeMasterListTest, EverySizeFollowsTheFormatWithBundledItems) {
    const auto categories = readCategories(categoryFile()).categoryCodes;
    const Reading bundledEnglish =
        readMasterList(masterList(Units::English), Units::English, categories);
    const Reading bundledMetric =
        readMasterList(masterList(Units::Metric), Units::Metric, categories);
    QHash<QString, QString> metricOf;  // bundled English description and unit -> Metric
    for (qsizetype i = 0; i < bundledEnglish.numbers.size(); ++i) {
        metricOf.insert(bundledEnglish.descriptions[i] + bundledEnglish.units[i],
                        bundledMetric.descriptions[i] + bundledMetric.units[i]);
    }
    for (int rows : {1, 2, 3, 59, 99, 100, 101, 1000, 6000, 60000}) {
        SCOPED_TRACE(rows);
        const Reading english =
            readMasterList(largeMasterList(rows, Units::English, 7), Units::English, categories);
        const Reading metric =
            readMasterList(largeMasterList(rows, Units::Metric, 7), Units::Metric, categories);
        for (const Reading* reading : {&english, &metric}) {
            EXPECT_THAT(reading->problems, IsEmpty()) << joined(reading->problems);
            EXPECT_EQ(reading->numbers.size(), rows);
            EXPECT_EQ(reading->numbers.count(u"2599-9999"_s), 1);
        }
        EXPECT_EQ(english.numbers, metric.numbers);
        for (qsizetype i = 0; i < english.numbers.size() && i < metric.numbers.size(); ++i) {
            EXPECT_EQ(metricOf.value(english.descriptions[i] + english.units[i], u"?"_s),
                      metric.descriptions[i] + metric.units[i])
                << english.numbers[i].toStdString();
        }
        if (rows >= 6000) {
            EXPECT_EQ(english.categoryCodes, categories);
            EXPECT_GE(distinct(english.descriptions), bundledEnglish.numbers.size() / 2);
            EXPECT_GE(english.descriptions.filter(u"PIPE"_s).size(), rows * 9 / 1000);
            EXPECT_LE(english.descriptions.filter(u"PIPE"_s).size(), rows * 11 / 1000);
        }
    }
}

}  // namespace
}  // namespace veskplan::sampledata
