// Format rules of the bundled data files and of the large lists, checked by readers written
// independently of the generator. Each reader is itself tried on small faulty inputs first, so a
// reader that accepts anything cannot make the real checks pass.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QByteArray>
#include <QRegularExpression>
#include <QSet>
#include <QString>
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

const QSet<QString> kEnglishUnits = {u"LS"_s,  u"EACH"_s, u"CY"_s,  u"SY"_s,   u"SF"_s, u"LF"_s,
                                     u"TON"_s, u"LB"_s,   u"GAL"_s, u"ACRE"_s, u"HR"_s, u"MGAL"_s};
const QSet<QString> kMetricUnits = {u"M3"_s, u"M2"_s, u"M"_s,    u"T"_s,  u"KG"_s,
                                    u"L"_s,  u"HA"_s, u"EACH"_s, u"LS"_s, u"HR"_s};

// Splits at CR LF, reporting any other line end and a missing one after the last line.
QList<QByteArray> crlfLines(const QByteArray& bytes, Problems& problems) {
    QList<QByteArray> lines;
    if (bytes.isEmpty()) {
        return lines;
    }
    if (!bytes.endsWith("\r\n")) {
        problems.push_back("last line not ended by CR LF");
    }
    QList<QByteArray> parts = bytes.split('\n');
    if (parts.last().isEmpty()) {
        parts.removeLast();
    }
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QByteArray line = parts[i];
        const bool hasEnd = i + 1 < parts.size() || bytes.endsWith('\n');
        if (hasEnd && !line.endsWith('\r')) {
            problems.push_back("line " + std::to_string(i + 1) + ": LF without CR");
        }
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        if (line.contains('\r')) {
            problems.push_back("line " + std::to_string(i + 1) + ": stray CR");
        }
        lines.append(line);
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

struct MasterListReading {
    Problems problems;
    QStringList numbers;  // without padding
    QSet<QByteArray> categoryCodes;
    int pipeLines = 0;
};

// A master list: 57 columns, number / blank / description / unit, ascending unique numbers.
MasterListReading readMasterList(const QByteArray& bytes, const QSet<QString>& units,
                                 const QSet<QByteArray>& knownCategories) {
    static const QRegularExpression numberPattern(u"^(\\d{4}-\\d{7}|2599-9999   )$"_s);
    MasterListReading reading;
    const auto lines = crlfLines(bytes, reading.problems);
    QString previous;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const auto problem = [&](const std::string& what) {
            reading.problems.push_back("line " + std::to_string(i + 1) + ": " + what);
        };
        if (line.size() != 57) {
            problem("length " + std::to_string(line.size()) + " instead of 57");
            continue;
        }
        const QString number = QString::fromLatin1(line.left(12));
        const QByteArray description = line.mid(13, 40);
        const QString unit = QString::fromLatin1(line.mid(53, 4)).trimmed();
        if (line[12] != ' ') {
            problem("column 13 is not a blank");
        }
        if (!numberPattern.match(number).hasMatch()) {
            problem("bad item number \"" + number.toStdString() + "\"");
        }
        const QString trimmedNumber = number.trimmed();
        if (!previous.isNull() && trimmedNumber <= previous) {
            problem("item number " + trimmedNumber.toStdString() + " not above " +
                    previous.toStdString());
        }
        previous = trimmedNumber;
        reading.numbers.append(trimmedNumber);
        reading.categoryCodes.insert(line.left(4));
        if (!knownCategories.isEmpty() && !knownCategories.contains(line.left(4))) {
            problem("category " + line.left(4).toStdString() + " not in itemcats.txt");
        }
        const QString text = textcodec::decode(description);
        if (!cleanText(description)) {
            problem("description is not clean Windows-1252");
        }
        if (description.startsWith(' ') || description.trimmed().isEmpty()) {
            problem("description blank or not left aligned");
        }
        if (text != text.toUpper()) {
            problem("description not upper case");
        }
        if (!units.contains(unit) || line[53] == ' ') {
            problem("unit \"" + unit.toStdString() + "\"");
        }
        if (description.contains("PIPE")) {
            ++reading.pipeLines;
        }
    }
    return reading;
}

struct CategoryReading {
    Problems problems;
    QSet<QByteArray> categoryCodes;
    int sections = 0;
};

// itemcats.txt: "CCCC TITLE"; "NN00" opens a section, every other code belongs to the section
// above it and starts with the same two digits.
CategoryReading readCategories(const QByteArray& bytes) {
    static const QRegularExpression linePattern(u"^(\\d\\d)(\\d\\d) (\\S.*\\S|\\S)$"_s);
    CategoryReading reading;
    const auto lines = crlfLines(bytes, reading.problems);
    QSet<QString> sections;
    QString section;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto problem = [&](const std::string& what) {
            reading.problems.push_back("line " + std::to_string(i + 1) + ": " + what);
        };
        const QString text = textcodec::decode(lines[i]);
        const auto match = linePattern.match(text);
        if (!match.hasMatch() || !cleanText(lines[i])) {
            problem("not \"CODE TITLE\": \"" + text.toStdString() + "\"");
            continue;
        }
        if (text != text.toUpper()) {
            problem("title not upper case");
        }
        if (match.captured(2) == u"00"_s) {
            if (sections.contains(match.captured(1))) {
                problem("section " + match.captured(1).toStdString() + " repeated");
            }
            sections.insert(match.captured(1));
            section = match.captured(1);
            ++reading.sections;
        } else if (section.isEmpty()) {
            problem("category before the first section");
        } else if (match.captured(1) != section) {
            problem("category " + text.left(4).toStdString() + " under section " +
                    section.toStdString());
        } else if (reading.categoryCodes.contains(lines[i].left(4))) {
            problem("category " + text.left(4).toStdString() + " repeated");
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

// --- The readers reject what they must -------------------------------------------------------

// A valid line, columns worked out by hand: number 1-12, blank 13, description 14-53, unit 54-57.
const QByteArray kGoodLine = "2101-0100010 CLEARING                                ACRE\r\n";

struct BadMasterList {
    const char* name;
    QByteArray bytes;
    const char* expected;
};

TEST(MasterListReaderTest, AcceptsAHandWrittenLine) {
    ASSERT_EQ(kGoodLine.size(), 59);
    const auto reading = readMasterList(kGoodLine, kEnglishUnits, {"2101"});
    EXPECT_THAT(reading.problems, IsEmpty()) << joined(reading.problems);
    EXPECT_EQ(reading.numbers, QStringList{u"2101-0100010"_s});
}

TEST(MasterListReaderTest, RejectsFaultyLines) {
    const QByteArray good = kGoodLine;
    const std::vector<BadMasterList> cases = {
        {"bare LF", good.left(57) + "\n", "LF without CR"},
        {"no final line end", good.left(57), "not ended by CR LF"},
        {"short line", good.left(56) + "\r\n", "length 56"},
        {"long line", good.left(57) + " \r\n", "length 58"},
        {"column 13", QByteArray(good).replace(12, 1, "X"), "column 13"},
        {"number letters", QByteArray(good).replace(5, 7, "01000X0"), "bad item number"},
        {"short number", QByteArray(good).replace(9, 3, "   "), "bad item number"},
        {"lower case", QByteArray(good).replace(13, 8, "Clearing"), "upper case"},
        {"undefined byte", QByteArray(good).replace(13, 1, "\x81"), "Windows-1252"},
        {"unit", QByteArray(good).replace(53, 4, "FT  "), "unit"},
        {"unit not left aligned", QByteArray(good).replace(53, 4, "  LS"), "unit"},
        {"blank description", QByteArray(good).replace(13, 8, "        "), "blank"},
        {"descending", "2101-0200010" + good.mid(12) + good, "not above"},
        {"duplicate", good + good, "not above"},
        {"unknown category", QByteArray(good).replace(0, 4, "2109"), "not in itemcats"},
    };
    for (const auto& c : cases) {
        const auto reading = readMasterList(c.bytes, kEnglishUnits, {"2101", "2102"});
        EXPECT_THAT(joined(reading.problems), HasSubstr(c.expected)) << c.name;
    }
}

TEST(CategoryReaderTest, RejectsFaultyFiles) {
    const std::vector<BadMasterList> cases = {
        {"category first", "2101 CLEARING\r\n2100 GRADING\r\n", "before the first section"},
        {"section twice", "2100 A\r\n2101 B\r\n2100 C\r\n", "repeated"},
        {"wrong section", "2100 A\r\n2201 B\r\n", "under section 21"},
        {"blank line", "2100 A\r\n\r\n2101 B\r\n", "not \"CODE TITLE\""},
        {"trailing blank", "2100 A\r\n2101 B \r\n", "not \"CODE TITLE\""},
        {"no title", "2100 A\r\n2101\r\n", "not \"CODE TITLE\""},
        {"lower case", "2100 A\r\n2101 Clearing\r\n", "upper case"},
        {"bare LF", "2100 A\n2101 B\r\n", "LF without CR"},
    };
    for (const auto& c : cases) {
        EXPECT_THAT(joined(readCategories(c.bytes).problems), HasSubstr(c.expected)) << c.name;
    }
    const auto good = readCategories("2100 GRADING\r\n2101 CLEARING\r\n2200 BASE\r\n2201 X\r\n");
    EXPECT_THAT(good.problems, IsEmpty()) << joined(good.problems);
    EXPECT_EQ(good.categoryCodes, (QSet<QByteArray>{"2101", "2201"}));
    EXPECT_EQ(good.sections, 2);
}

// --- The bundled files -------------------------------------------------------------------------

TEST(BundledFilesTest, CategoryFileFollowsTheSectionRules) {
    const auto reading = readCategories(categoryFile());
    EXPECT_THAT(reading.problems, IsEmpty()) << joined(reading.problems);
    EXPECT_GE(reading.categoryCodes.size(), 40);
    EXPECT_LE(reading.categoryCodes.size(), 80);
    EXPECT_GE(reading.sections, 5);
    EXPECT_TRUE(reading.categoryCodes.contains("2599"));
}

TEST(BundledFilesTest, MasterListsFollowTheFormatAndUseEveryCategory) {
    const auto categories = readCategories(categoryFile()).categoryCodes;
    ASSERT_FALSE(categories.isEmpty());
    for (const auto& [units, unitSet] :
         {std::pair{Units::English, kEnglishUnits}, std::pair{Units::Metric, kMetricUnits}}) {
        const auto reading = readMasterList(masterList(units), unitSet, categories);
        SCOPED_TRACE(units == Units::English ? "English" : "Metric");
        EXPECT_THAT(reading.problems, IsEmpty()) << joined(reading.problems);
        EXPECT_EQ(reading.categoryCodes, categories);
        EXPECT_GE(reading.numbers.size(), 1000);
        EXPECT_LE(reading.numbers.size(), 3000);
        EXPECT_GE(reading.pipeLines, 100);
        EXPECT_EQ(reading.numbers.count(u"2599-9999"_s), 1);
        EXPECT_GE(reading.numbers.filter(QRegularExpression(u"^2599-"_s)).size(), 3);
    }
}

TEST(BundledFilesTest, CountyFileNamesNinetyNineDistinctCounties) {
    Problems problems;
    const auto lines = crlfLines(countyFile(), problems);
    EXPECT_THAT(problems, IsEmpty()) << joined(problems);
    ASSERT_EQ(lines.size(), 99);
    QSet<QByteArray> names;
    for (const auto& line : lines) {
        EXPECT_FALSE(line.isEmpty());
        EXPECT_EQ(line, line.trimmed()) << line.toStdString();
        EXPECT_TRUE(cleanText(line)) << line.toStdString();
        names.insert(line);
    }
    EXPECT_EQ(names.size(), 99);
}

// --- Large lists -------------------------------------------------------------------------------

TEST(LargeListFormatTest, EverySizeFollowsTheMasterListFormat) {
    const auto categories = readCategories(categoryFile()).categoryCodes;
    for (int rows : {1, 2, 3, 59, 99, 100, 101, 1000, 6000}) {
        for (const auto& [units, unitSet] :
             {std::pair{Units::English, kEnglishUnits}, std::pair{Units::Metric, kMetricUnits}}) {
            const auto reading = readMasterList(largeMasterList(rows, units), unitSet, categories);
            SCOPED_TRACE(rows);
            EXPECT_THAT(reading.problems, IsEmpty()) << joined(reading.problems);
            EXPECT_EQ(reading.numbers.size(), rows);
            EXPECT_EQ(reading.numbers.count(u"2599-9999"_s), 1);
        }
    }
}

TEST(LargeListFormatTest, SpreadsOverEveryCategoryWithOnePipeLineInAHundred) {
    const auto categories = readCategories(categoryFile()).categoryCodes;
    for (int rows : {6000, 60000}) {
        SCOPED_TRACE(rows);
        const auto reading =
            readMasterList(largeMasterList(rows, Units::English, 7), kEnglishUnits, categories);
        EXPECT_THAT(reading.problems, IsEmpty()) << joined(reading.problems);
        EXPECT_EQ(reading.numbers.size(), rows);
        EXPECT_EQ(reading.categoryCodes, categories);
        EXPECT_GE(reading.pipeLines, rows * 9 / 1000);
        EXPECT_LE(reading.pipeLines, rows * 11 / 1000);
    }
}

}  // namespace
}  // namespace veskplan::sampledata
