#include <gtest/gtest.h>

#include "export/exportgolden.h"
#include "print/quantitytable.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using test::desc40;
using test::item;
using test::sp;

QByteArray dashes(int count) {
    return QByteArray(count, '-');
}

// Every line of the table followed by LF.
QByteArray joined(const std::vector<QByteArray>& lines) {
    QByteArray bytes;
    for (const QByteArray& line : lines) {
        bytes += line + '\n';
    }
    return bytes;
}

QuantityTable build(const QStringList& descriptions, const std::vector<ProjectRecord>& records) {
    return QuantityTable::build(QStringLiteral("STP-12-B(7)03"), QStringLiteral("/p/sr12.vsk"),
                                QStringLiteral("12/6/26"), QStringLiteral("Cedar Falls"),
                                QStringLiteral("J. Doe"), QStringLiteral("March"), descriptions,
                                records);
}

// The header lines 1 to 4 for build(): "Project: STP-12-B(7)03" ends in column 22, the file name
// starts at 34 and ends at 54, the date starts at 110; "County: Cedar Falls" ends at 19,
// "Designer: J. Doe" runs from 34 to 49, the letting month starts at 65.
QByteArray header() {
    return joined(
        {"", "Project: STP-12-B(7)03" + sp(11) + "Filename: /p/sr12.vsk" + sp(55) + "12/6/26",
         "County: Cedar Falls" + sp(14) + "Designer: J. Doe" + sp(15) + "Letting Month: March",
         ""});
}

// "ITEM CODE" at 1, "ITEM DESCRIPTION" at 15, "UNIT" in 70 to 73.
QByteArray headingStart() {
    return "ITEM CODE" + sp(5) + "ITEM DESCRIPTION" + sp(39) + "UNIT";
}

QByteArray ruleStart() {
    return dashes(12) + sp(2) + dashes(53) + sp(2) + dashes(4);
}

// Item number at 1, a 40-character description in 15 to 54, the unit at 70.
QByteArray itemStart(const char* number, const char* description, const char* unit) {
    return QByteArray(number).leftJustified(14, ' ') + desc40(description) + sp(15) + unit;
}

TEST(QuantityTableLayout, TwoCategoriesWithARowTotalAndFreeTextItemsOnTheirOwnLines) {
    // Category 2 has no description: its legend stays empty.
    const QuantityTable table =
        build({QStringLiteral("Mainline")},
              {item("2101-0100000", "01", "CLEARING", "ACRE", 10),
               item("2101-0100000", "02", "CLEARING", "ACRE", 2.5),
               item("2105-0500000", "01", "COMMON EXCAVATION", "CY", std::nullopt),
               item("2105-0500000", "02", "COMMON EXCAVATION", "CY", 3),
               item("2599-9999   ", "01", "FENCE REPAIR", "LS", 1),
               item("2599-9999   ", "02", "SIGN REMOVAL", "LS", 2)});
    // Category 1 in 75 to 84, category 2 in 87 to 96, the total in 99 to 108; headings of 12
    // characters from column 74 on, "TOTAL" ending in 108.
    const QByteArray expected =
        header() +
        joined({headingStart() + "  CATEGORY 1  CATEGORY 2" + sp(6) + "TOTAL",
                ruleStart() + sp(2) + dashes(10) + sp(2) + dashes(10) + sp(2) + dashes(9),
                itemStart("2101-0100000", "CLEARING", "ACRE") + sp(7) + "10.0" + sp(9) + "2.5" +
                    sp(8) + "12.5",
                "",
                itemStart("2105-0500000", "COMMON EXCAVATION", "CY") + sp(10) + "0.0" + sp(9) +
                    "3.0" + sp(9) + "3.0",
                "", itemStart("2599-9999", "FENCE REPAIR", "LS") + sp(10) + "1.0" + sp(21) + "1.0",
                "", itemStart("2599-9999", "SIGN REMOVAL", "LS") + sp(22) + "2.0" + sp(9) + "2.0",
                "", "", "Category 1: Mainline", "Category 2: "});
    EXPECT_TRUE(test::sameBytes(expected, table.text()));
    EXPECT_FALSE(table.landscape);
}

TEST(QuantityTableLayout, OneCategoryWithLongDescriptionsAndItemNumbers) {
    // One category: its quantities stand under "TOTAL" (figures in 75 to 84), no separate total;
    // an empty quantity prints as 0.0.
    const QByteArray desc55 = "CONCRETE CURB AND GUTTER DESIGN B624 WITH DRIVEWAY OPEN";
    const QByteArray desc56 = desc55 + "S";
    ASSERT_EQ(desc55.size(), 55);
    const QuantityTable table = build(
        {QStringLiteral("Mainline")},
        {ProjectRecord{QStringLiteral("2101-0100000  <<"), QStringLiteral("01"),
                       QString::fromLatin1(desc40("CLEARING")), QStringLiteral("ACRE"), 2},
         ProjectRecord{QStringLiteral("2105-050000099"), QStringLiteral("01"),
                       QString::fromLatin1(desc40("EXACTLY FOURTEEN")), QStringLiteral("CY"), 1},
         ProjectRecord{QStringLiteral("2531-0100000"), QStringLiteral("01"),
                       QString::fromLatin1(desc55), QStringLiteral("LF"), 12.5},
         ProjectRecord{QStringLiteral("2531-0200000"), QStringLiteral("01"),
                       QString::fromLatin1(desc56), QStringLiteral("LF"), 10},
         item("2599-9999   ", "01", "COMMON EXCAVATION", "CY", std::nullopt)});
    const QByteArray expected =
        header() +
        joined({headingStart() + sp(6) + "TOTAL", ruleStart() + sp(2) + dashes(9),
                // 16 characters reach past column 14: the description starts a new line at 15.
                "2101-0100000  <<", sp(14) + desc40("CLEARING") + sp(15) + "ACRE" + sp(8) + "2.0",
                "",
                // 14 characters end just before column 15.
                "2105-050000099" + desc40("EXACTLY FOURTEEN") + sp(15) + "CY" + sp(10) + "1.0", "",
                // 55 characters end in column 69, next to the unit.
                "2531-0100000" + sp(2) + desc55 + "LF" + sp(9) + "12.5", "",
                // 56 characters reach column 70: the unit and the quantity go to a new line.
                "2531-0200000" + sp(2) + desc56, sp(69) + "LF" + sp(9) + "10.0", "",
                itemStart("2599-9999", "COMMON EXCAVATION", "CY") + sp(10) + "0.0", "",
                "Category 1: Mainline"});
    EXPECT_TRUE(test::sameBytes(expected, table.text()));
    EXPECT_FALSE(table.landscape);
    EXPECT_EQ(table.highestCategory, 1);
}

TEST(QuantityTableLayout, CategoriesFromTenOnHaveWiderHeadings) {
    QStringList descriptions;
    for (int n = 1; n <= 10; ++n) {
        descriptions << QStringLiteral("Part %1").arg(n);
    }
    const QuantityTable table =
        build(descriptions, {item("2101-0100000", "01", "CLEARING", "ACRE", 1),
                             item("2101-0100000", "10", "CLEARING", "ACRE", 4)});
    // Nine headings of 12 characters end in column 181; "  CATEGORY 10" has 13, so "TOTAL"
    // ends in 205, one column right of the totals (195 to 204). Category 10 stands in 183-192.
    QByteArray heading = headingStart();
    QByteArray rule = ruleStart();
    for (int n = 1; n <= 9; ++n) {
        heading += "  CATEGORY " + QByteArray::number(n);
        rule += sp(2) + dashes(10);
    }
    heading += "  CATEGORY 10" + sp(6) + "TOTAL";
    rule += sp(2) + dashes(10) + sp(2) + dashes(9);
    ASSERT_EQ(heading.size(), 205);
    ASSERT_EQ(rule.size(), 204);
    QByteArray expected = header() + joined({heading, rule,
                                             itemStart("2101-0100000", "CLEARING", "ACRE") + sp(8) +
                                                 "1.0" + sp(105) + "4.0" + sp(9) + "5.0",
                                             "", ""});
    for (int n = 1; n <= 10; ++n) {
        expected += "Category " + QByteArray::number(n) + ": Part " + QByteArray::number(n) + '\n';
    }
    EXPECT_TRUE(test::sameBytes(expected, table.text()));
    EXPECT_TRUE(table.landscape);
    EXPECT_EQ(table.highestCategory, 10);
}

TEST(QuantityTableLayout, FiguresAreRoundedToOneDecimalAndRightAligned) {
    // The quantity, and what stands from column 75 on.
    const std::pair<std::optional<double>, QByteArray> cases[] = {
        {std::nullopt, sp(7) + "0.0"},
        {0.0, sp(7) + "0.0"},
        {-0.04, sp(7) + "0.0"},
        {0.05, sp(7) + "0.1"},
        {1234.56, sp(4) + "1234.6"},
        {-12.25, sp(5) + "-12.3"},
        {7.25, sp(7) + "7.3"},
        {99999999.94, "99999999.9"},
        // Wider than the field: kept whole, running on to the right.
        {123456789.0, "123456789.0"},
        {-1234567.89, sp(0) + "-1234567.9"},
    };
    for (const auto& [quantity, field] : cases) {
        const QuantityTable table = build(
            {QStringLiteral("A")}, {item("2101-0100000", "01", "CLEARING", "ACRE", quantity)});
        ASSERT_EQ(table.lines.size(), 9);
        EXPECT_EQ(table.lines[6].toLatin1(),
                  itemStart("2101-0100000", "CLEARING", "ACRE") + sp(1) + field)
            << field.toStdString();
    }
}

TEST(QuantityTableLayout, OverlongFiguresNeverOverwriteTheirNeighbours) {
    const QuantityTable table =
        build({QStringLiteral("A"), QStringLiteral("B")},
              {item("2101-0100000", "01", "CLEARING", "ACRE", 123456789012.0),
               item("2101-0100000", "02", "CLEARING", "ACRE", 1)});
    // "123456789012.0" runs from 75 to 88, past the start of category 2 (87): category 2 and
    // the total continue on a new line at their own columns.
    ASSERT_EQ(table.lines.size(), 12);
    EXPECT_EQ(table.lines[6].toLatin1(),
              itemStart("2101-0100000", "CLEARING", "ACRE") + sp(1) + "123456789012.0");
    EXPECT_EQ(table.lines[7].toLatin1(), sp(86) + sp(7) + "1.0" + sp(2) + "123456789013.0");
}

TEST(QuantityTableHeader, FieldsStandAtTheirColumnsOrMoveToANewLine) {
    // Tables of an empty project without category descriptions: after the header lines 2 and 3
    // (and those pushed down), an empty line, the headings, one empty line and an empty legend.
    const auto table = [](const QByteArray& projNum, const QByteArray& file) {
        return QuantityTable::build(QString::fromLatin1(projNum), QString::fromLatin1(file),
                                    QStringLiteral("6.12.26"), QString(), QStringLiteral("D"),
                                    QStringLiteral("May"), {}, {});
    };
    const QByteArray county = "County: " + sp(25) + "Designer: D" + sp(20) + "Letting Month: May";
    const QByteArray rest = joined({county, "", headingStart() + sp(6) + "TOTAL",
                                    ruleStart() + sp(2) + dashes(9), "", "Category 1: "});
    const QByteArray path66 = "/" + QByteArray(61, 'p') + ".vsk";
    const QByteArray path67 = path66 + "s";
    // Empty values: the labels alone at their columns.
    EXPECT_TRUE(test::sameBytes(
        joined({"", "Project: " + sp(24) + "Filename: " + sp(66) + "6.12.26"}) + rest,
        table("", "").text()));
    // A 24-character project number fills column 33; the file name follows directly. A
    // 66-character path ends in 109, next to the date.
    EXPECT_TRUE(test::sameBytes(
        joined({"", "Project: ABCDEFGHIJKLMNOPQRSTUVWXFilename: " + path66 + "6.12.26"}) + rest,
        table("ABCDEFGHIJKLMNOPQRSTUVWX", path66).text()));
    // 25 characters reach column 34, a 67-character path column 110: each next field starts a
    // new line at its own column.
    EXPECT_TRUE(test::sameBytes(joined({"", "Project: ABCDEFGHIJKLMNOPQRSTUVWXY",
                                        sp(33) + "Filename: " + path67, sp(109) + "6.12.26"}) +
                                    rest,
                                table("ABCDEFGHIJKLMNOPQRSTUVWXY", path67).text()));
}

TEST(QuantityTableText, Utf8WithLineFeedsAndColumnsCountedInCharacters) {
    const QuantityTable table = QuantityTable::build(
        QStringLiteral("P"), QString(), QStringLiteral("d"), QStringLiteral("Añasco"),
        QStringLiteral("Zoë"), QString(), {QStringLiteral("Über")},
        {ProjectRecord{QStringLiteral("2101-0100000"), QStringLiteral("01"),
                       QStringLiteral("PRÉPARATION"), QStringLiteral("m²"), 1}});
    const QByteArray expected =
        "\n"
        "Project: P" +
        sp(23) + "Filename: " + sp(66) + "d\n" +
        "County: A\xc3\xb1"
        "asco" +
        sp(19) + "Designer: Zo\xc3\xab" + sp(18) +
        "Letting Month: \n"
        "\n" +
        headingStart() + sp(6) + "TOTAL\n" + ruleStart() + sp(2) + dashes(9) + "\n" +
        "2101-0100000" + sp(2) + "PR\xc3\x89PARATION" + sp(44) + "m\xc2\xb2" + sp(10) +
        "1.0\n"
        "\n"
        "Category 1: \xc3\x9c"
        "ber\n";
    EXPECT_TRUE(test::sameBytes(expected, table.text()));
}

}  // namespace
}  // namespace veskplan
