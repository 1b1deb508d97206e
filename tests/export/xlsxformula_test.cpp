#include "export/xlsxformula.h"
#include "export/xlsxcellref.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

struct RenameCase {
    const char* formula;
    const char* expected;
};

void PrintTo(const RenameCase& c, std::ostream* out) {
    *out << c.formula;
}

class RenameSheets : public ::testing::TestWithParam<RenameCase> {};

TEST_P(RenameSheets, RewritesOnlySheetPrefixes) {
    const XlsxFormula::SheetMap sheets = {
        {u"main table"_s, u"Tabfill"_s},
        {u"summary"_s, std::nullopt},
        {u"notes"_s, u"Notes 2"_s},
        {u"it's"_s, u"X"_s},
    };
    EXPECT_EQ(
        XlsxFormula::renameSheets(QString::fromUtf8(GetParam().formula), sheets).toStdString(),
        GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    XlsxFormula, RenameSheets,
    ::testing::Values(
        RenameCase{"'Main Table'!$A$1:$J$14", "Tabfill!$A$1:$J$14"},
        RenameCase{"'MAIN TABLE'!A1", "Tabfill!A1"},  // sheet names ignore case
        RenameCase{"Summary!A1+1", "#REF!A1+1"},
        RenameCase{"SUM('Summary'!A1,Other!B2)", "SUM(#REF!A1,Other!B2)"},
        RenameCase{"Notes!A1", "'Notes 2'!A1"}, RenameCase{"'It''s'!A1", "X!A1"},
        RenameCase{"IF(A1=\"x\",Summary!B1,'Main Table'!C1)", "IF(A1=\"x\",#REF!B1,Tabfill!C1)"},
        // Look-alikes that are no sheet references.
        RenameCase{"\"'Main Table'!A1\"&\"Summary!B2\"", "\"'Main Table'!A1\"&\"Summary!B2\""},
        RenameCase{"[1]Summary!A1", "[1]Summary!A1"},  // another workbook's sheet
        RenameCase{"'[Book.xlsx]Summary'!A1", "'[Book.xlsx]Summary'!A1"},
        RenameCase{"Table1[[#This Row],[Summary]]", "Table1[[#This Row],[Summary]]"},
        RenameCase{"#REF!A1+Summary", "#REF!A1+Summary"},
        RenameCase{"Main Table!A1", "Main Table!A1"},  // unquoted: "Table" is the sheet
        RenameCase{"", ""}));

struct ShiftCase {
    const char* formula;
    int rows;
    int columns;
    const char* expected;
};

void PrintTo(const ShiftCase& c, std::ostream* out) {
    *out << c.formula << " by " << c.rows << "," << c.columns;
}

class Shift : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(Shift, MovesRelativePartsOnly) {
    const ShiftCase& c = GetParam();
    EXPECT_EQ(XlsxFormula::shift(QString::fromUtf8(c.formula), c.rows, c.columns).toStdString(),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    XlsxFormula, Shift,
    ::testing::Values(
        ShiftCase{"A1", 1, 0, "A2"}, ShiftCase{"$A$1", 4, 4, "$A$1"},
        ShiftCase{"A$1+$B2", 2, 3, "D$1+$B4"}, ShiftCase{"SUM(C$1:C1)", 2, 1, "SUM(D$1:D3)"},
        ShiftCase{"Z9", 0, 1, "AA9"}, ShiftCase{"Sheet1!A1:B2", 1, 1, "Sheet1!B2:C3"},
        ShiftCase{"'My Sheet'!A1", 1, 0, "'My Sheet'!A2"},
        ShiftCase{"[1]Sheet1!A1", 1, 0, "[1]Sheet1!A2"}, ShiftCase{"SUM(A:C)", 5, 1, "SUM(B:D)"},
        ShiftCase{"$A:C", 0, 1, "$A:D"}, ShiftCase{"SUM(3:5)", 2, 9, "SUM(5:7)"},
        ShiftCase{"$3:5", 2, 0, "$3:7"}, ShiftCase{"LOG10(A1)", 1, 0, "LOG10(A2)"},
        ShiftCase{"_xlfn.CONCAT(A1,\"B1\")", 1, 0, "_xlfn.CONCAT(A2,\"B1\")"},
        ShiftCase{"1.5E+3*A1-1E5", 1, 0, "1.5E+3*A2-1E5"},
        ShiftCase{"{1,2;3,4}+Rate*TRUE", 3, 3, "{1,2;3,4}+Rate*TRUE"},
        ShiftCase{"#DIV/0!+A1", 1, 0, "#DIV/0!+A2"},
        ShiftCase{"Table1[Col1]", 1, 1, "Table1[Col1]"}, ShiftCase{"XFD1", 0, 1, "#REF!"},
        ShiftCase{"A1048576+A1", 1, 0, "#REF!+A2"}, ShiftCase{"A1", -1, 0, "#REF!"}));

TEST(XlsxFormula, QuotesSheetNamesThatNeedIt) {
    const std::pair<QString, std::string> cases[] = {
        {u"Tabfill"_s, "Tabfill"},
        {u"Sheet_1.x"_s, "Sheet_1.x"},
        {u"ABCD1"_s, "ABCD1"},  // four letters: no column
        {u"Rate"_s, "Rate"},
        {u"e100-01a"_s, "'e100-01a'"},
        {u"Main Table"_s, "'Main Table'"},
        {u"It's"_s, "'It''s'"},
        {u"1st"_s, "'1st'"},
        {u"A1"_s, "'A1'"},
        {u"xfd1048576"_s, "'xfd1048576'"},
        {u"R1C1"_s, "'R1C1'"},
        {u"R"_s, "'R'"},
        {u"c12"_s, "'c12'"},
        {u"RC"_s, "'RC'"},
        {u"True"_s, "'True'"},
        {u"\u00dcbersicht"_s,
         "'\xc3\x9c"
         "bersicht'"},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(XlsxFormula::quoteSheetName(name).toStdString(), expected) << name.toStdString();
    }
}

TEST(XlsxCellRef, ParsesAddressesWithinTheSheet) {
    const std::pair<const char*, std::optional<std::pair<int, int>>> cases[] = {
        {"A1", std::pair(1, 1)},
        {"e15", std::pair(15, 5)},
        {"XFD1048576", std::pair(1048576, 16384)},
        {"AA100", std::pair(100, 27)},
        {"XFE1", std::nullopt},
        {"A1048577", std::nullopt},
        {"A0", std::nullopt},
        {"A01", std::nullopt},
        {"AAAA1", std::nullopt},
        {"1A", std::nullopt},
        {"$A$1", std::nullopt},
        {"A 1", std::nullopt},
        {"A1:B2", std::nullopt},
        {"", std::nullopt},
        {"A", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        const auto ref = XlsxCellRef::parse(QString::fromLatin1(text));
        ASSERT_EQ(ref.has_value(), expected.has_value()) << text;
        if (ref) {
            EXPECT_EQ(ref->row(), expected->first) << text;
            EXPECT_EQ(ref->column(), expected->second) << text;
        }
    }
}

TEST(XlsxCellRef, NamesColumns) {
    const std::pair<int, const char*> cases[] = {{1, "A"},     {26, "Z"},     {27, "AA"},
                                                 {52, "AZ"},   {53, "BA"},    {702, "ZZ"},
                                                 {703, "AAA"}, {16384, "XFD"}};
    for (const auto& [column, name] : cases) {
        EXPECT_EQ(XlsxCellRef::columnName(column).toStdString(), name);
        EXPECT_EQ(XlsxCellRef::columnNumber(QString::fromLatin1(name)), column) << name;
    }
    EXPECT_EQ(XlsxCellRef::columnNumber(u"XFE"_s), 0);
    EXPECT_EQ(XlsxCellRef::columnNumber(u"A1"_s), 0);
}

TEST(XlsxCellRef, RangesAreNormalised) {
    const auto range = XlsxCellRef::parseRange(u"C3:A1"_s);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->first.toString().toStdString(), "A1");
    EXPECT_EQ(range->second.toString().toStdString(), "C3");
    const auto single = XlsxCellRef::parseRange(u"B2"_s);
    ASSERT_TRUE(single);
    EXPECT_EQ(single->first, single->second);
    EXPECT_FALSE(XlsxCellRef::parseRange(u"A1:"_s));
}

}  // namespace
}  // namespace veskplan
