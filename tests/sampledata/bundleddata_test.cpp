// Exact content of the bundled files, and the committed copies in data/.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QString>
#include <algorithm>

#include "sampledata/sampledata.h"

using namespace Qt::Literals::StringLiterals;

namespace veskplan::sampledata {
namespace {

// Lines worked out by hand, blanks counted to the columns: number 1-12, blank 13,
// description 14-53 (40), unit 54-57 (4). "\xBD" is the Windows-1252 byte of the half sign,
// "\xB0" that of the degree sign.
struct ExpectedLine {
    const char* name;
    QByteArray english;
    QByteArray metric;
};

const ExpectedLine kExpectedLines[] = {
    {"pipe culvert", "2501-0100060 15 INCH RC PIPE CULVERT CLASS III       LF  \r\n",
     "2501-0100060 375 MM RC PIPE CULVERT CLASS III        M   \r\n"},
    {"half inch", "2305-0100020 MILL ASPHALT SURFACE 1\xBD INCH            SY  \r\n",
     "2305-0100020 MILL ASPHALT SURFACE 40 MM              M2  \r\n"},
    {"degrees", "2512-0300050 22\xBD\xB0 BEND FOR 6 INCH WATER MAIN         EACH\r\n",
     "2512-0300050 22\xBD\xB0 BEND FOR 150 MM WATER MAIN         EACH\r\n"},
    {"free text", "2599-9999    SPECIAL ITEM (DESCRIBE)                 LS  \r\n",
     "2599-9999    SPECIAL ITEM (DESCRIBE)                 LS  \r\n"},
    {"metric wording", "2703-0300010 MILEPOST MARKER                         EACH\r\n",
     "2703-0300010 KILOMETER POST MARKER                   EACH\r\n"},
};

bool containsLine(const QByteArray& file, const QByteArray& line) {
    return file.startsWith(line) || file.contains("\r\n" + line);
}

TEST(BundledDataTest, HoldsHandCountedLines) {
    const QByteArray english = masterList(Units::English);
    const QByteArray metric = masterList(Units::Metric);
    for (const auto& expected : kExpectedLines) {
        SCOPED_TRACE(expected.name);
        ASSERT_EQ(expected.english.size(), 59);  // guards the hand count itself
        ASSERT_EQ(expected.metric.size(), 59);
        EXPECT_TRUE(containsLine(english, expected.english));
        EXPECT_TRUE(containsLine(metric, expected.metric));
    }
    EXPECT_TRUE(
        english.startsWith("2101-0100010 CLEARING                                ACRE\r\n"));
    EXPECT_TRUE(metric.startsWith("2101-0100010 CLEARING                                HA  \r\n"));
}

TEST(BundledDataTest, CategoryAndCountyFilesBeginAndEndAsWritten) {
    const QByteArray categories = categoryFile();
    EXPECT_TRUE(categories.startsWith(
        "2100 GRADING AND EARTHWORK\r\n2101 CLEARING AND GRUBBING\r\n2102 REMOVALS\r\n"));
    EXPECT_TRUE(categories.contains("\r\n2500 DRAINAGE AND INCIDENTALS\r\n2501 PIPE CULVERTS\r\n"));
    EXPECT_TRUE(categories.contains("\r\n2599 SPECIAL ITEMS\r\n"));

    const QByteArray counties = countyFile();
    EXPECT_TRUE(counties.startsWith("Alder\r\nApplewood\r\nAshgrove\r\n"));
    EXPECT_TRUE(counties.endsWith("\r\nWillow\r\nWindmill\r\nWolf River\r\n"));
}

// The two lists are one list in two unit systems: same numbers, same order, units converted,
// no English measure left in the metric descriptions.
TEST(BundledDataTest, MetricListMirrorsTheEnglishList) {
    const QHash<QByteArray, QByteArray> metricUnit = {
        {"LS", "LS"}, {"EACH", "EACH"}, {"HR", "HR"}, {"CY", "M3"}, {"SY", "M2"},   {"SF", "M2"},
        {"LF", "M"},  {"TON", "T"},     {"LB", "KG"}, {"GAL", "L"}, {"ACRE", "HA"}, {"MGAL", "M3"},
    };
    const QList<QByteArray> english = masterList(Units::English).split('\n');
    const QList<QByteArray> metric = masterList(Units::Metric).split('\n');
    ASSERT_EQ(english.size(), metric.size());
    int differing = 0;
    int nonAscii = 0;
    for (qsizetype i = 0; i + 1 < english.size(); ++i) {
        const QByteArray& e = english[i];
        const QByteArray& m = metric[i];
        ASSERT_EQ(e.size(), 58);
        ASSERT_EQ(m.size(), 58);
        EXPECT_EQ(e.left(13), m.left(13)) << i;
        EXPECT_EQ(metricUnit.value(e.mid(53, 4).trimmed()), m.mid(53, 4).trimmed()) << e.data();
        const QByteArray md = " " + m.mid(13, 40) + " ";
        for (const char* word : {" INCH ", " FT ", " GAUGE ", " GAL ", " QT ", " MILEPOST "}) {
            EXPECT_FALSE(md.contains(word)) << m.data();
        }
        EXPECT_FALSE((" " + e.mid(13, 40) + " ").contains(" MM ")) << e.data();
        differing += e.mid(13, 40) != m.mid(13, 40);
        nonAscii += std::any_of(e.cbegin(), e.cend(), [](char c) { return c & 0x80; });
    }
    EXPECT_GE(differing, 300);
    EXPECT_GE(nonAscii, 5);
}

// A designer picks items by description: two items with the same text would be ambiguous.
TEST(BundledDataTest, DescriptionsAreDistinct) {
    for (Units units : {Units::English, Units::Metric}) {
        QSet<QByteArray> seen;
        const auto lines = masterList(units).split('\n');
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            const QByteArray description = lines[i].mid(13, 40);
            EXPECT_FALSE(seen.contains(description)) << description.data();
            seen.insert(description);
        }
    }
}

QByteArray committedFile(const char* name) {
    QFile file(QStringLiteral(VESKPLAN_SOURCE_DIR "/data/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << file.fileName().toStdString();
        return {};
    }
    return file.readAll();
}

TEST(BundledDataTest, CommittedFilesAreTheGeneratorOutput) {
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"itemse.txt", masterList(Units::English)},
        {"itemsm.txt", masterList(Units::Metric)},
        {"itemcats.txt", categoryFile()},
        {"counties.txt", countyFile()},
    };
    for (const auto& file : files) {
        EXPECT_TRUE(committedFile(file.name) == file.bytes)
            << "data/" << file.name
            << " differs from the generator; rewrite it with: veskplan-sampledata sample data";
    }
}

}  // namespace
}  // namespace veskplan::sampledata
