#include "export/xlsxformula.h"
#include "export/xlsxcellref.h"

#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <string>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(XlsxFormula, RenameSheetsRewritesOnlySheetPrefixes) {
    const XlsxFormula::SheetMap sheets = {
        {u"main table"_s, u"Tabfill"_s},
        {u"summary"_s, std::nullopt},
        {u"notes"_s, u"Notes 2"_s},
        {u"it's"_s, u"X"_s},
    };
    const std::pair<const char*, const char*> cases[] = {
        {"'Main Table'!$A$1:$J$14", "Tabfill!$A$1:$J$14"},
        {"'MAIN TABLE'!A1", "Tabfill!A1"},  // sheet names ignore case
        {"Summary!A1+1", "#REF!A1+1"},
        {"SUM('Summary'!A1,Other!B2)", "SUM(#REF!A1,Other!B2)"},
        {"Notes!A1", "'Notes 2'!A1"},
        {"'It''s'!A1", "X!A1"},
        {"IF(A1=\"x\",Summary!B1,'Main Table'!C1)", "IF(A1=\"x\",#REF!B1,Tabfill!C1)"},
    };
    for (const auto& [formula, expected] : cases) {
        EXPECT_EQ(XlsxFormula::renameSheets(QString::fromUtf8(formula), sheets).toStdString(),
                  expected);
    }
    // Look-alikes of sheet references stay: text, another workbook's sheets, table columns, an
    // error value before a name, and "Main Table!A1" unquoted, where the sheet is "Table".
    for (const char* same :
         {"\"'Main Table'!A1\"&\"Summary!B2\"", "[1]Summary!A1", "'[Book.xlsx]Summary'!A1",
          "Table1[[#This Row],[Summary]]", "#REF!A1+Summary", "Main Table!A1", ""}) {
        EXPECT_EQ(XlsxFormula::renameSheets(QString::fromUtf8(same), sheets).toStdString(), same);
    }
}

TEST(XlsxFormula, ShiftMovesRelativePartsOnly) {
    // Each formula is shifted by the rows and columns given: references move, $-fixed parts,
    // names, numbers, strings, errors, arrays and table columns stay; off the sheet is #REF!.
    const struct {
        const char* formula;
        int rows;
        int columns;
        const char* expected;
    } cases[] = {
        {"A1+$A$1+A$1+$B2+SUM(C$1:C1)", 2, 3, "D3+$A$1+D$1+$B4+SUM(F$1:F3)"},
        {"Z9+Sheet1!A1:B2+'My Sheet'!A1+[1]Sheet1!A1", 1, 1,
         "AA10+Sheet1!B2:C3+'My Sheet'!B2+[1]Sheet1!B2"},
        {"SUM(A:C)+$A:C+SUM(3:5)+$3:5", 2, 1, "SUM(B:D)+$A:D+SUM(5:7)+$3:7"},
        {"LOG10(A1)&_xlfn.CONCAT(A1,\"B1\")+1.5E+3*A1-1E5", 1, 0,
         "LOG10(A2)&_xlfn.CONCAT(A2,\"B1\")+1.5E+3*A2-1E5"},
        {"{1,2;3,4}+Rate*TRUE+#DIV/0!+A1+Table1[Col1]", 3, 3,
         "{1,2;3,4}+Rate*TRUE+#DIV/0!+D4+Table1[Col1]"},
        {"XFD1+A1048576+B2", 1, 1, "#REF!+#REF!+C3"},
        {"A1+B2", -1, -1, "#REF!+A1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(XlsxFormula::shift(QString::fromUtf8(c.formula), c.rows, c.columns).toStdString(),
                  c.expected);
    }
}

TEST(XlsxFormula, QuotesSheetNamesThatNeedIt) {
    for (const QString& name : {u"Tabfill"_s, u"Sheet_1.x"_s, u"ABCD1"_s, u"Rate"_s}) {
        EXPECT_EQ(XlsxFormula::quoteSheetName(name), name);
    }
    // Names that read as a cell, an R1C1 reference or a truth value, and names with other
    // than ASCII letters, digits, "_" and ".", go in apostrophes.
    for (const QString& name :
         {u"e100-01a"_s, u"Main Table"_s, u"1st"_s, u"A1"_s, u"xfd1048576"_s, u"R1C1"_s, u"R"_s,
          u"c12"_s, u"RC"_s, u"True"_s, u"\u00dcbersicht"_s}) {
        EXPECT_EQ(XlsxFormula::quoteSheetName(name), u'\'' + name + u'\'');
    }
    EXPECT_EQ(XlsxFormula::quoteSheetName(u"It's"_s), u"'It''s'"_s);
}

TEST(XlsxCellRef, ParsesAndNamesCellsWithinTheSheet) {
    const std::pair<const char*, std::pair<int, int>> valid[] = {
        {"A1", {1, 1}}, {"e15", {15, 5}}, {"XFD1048576", {1048576, 16384}}, {"AA100", {100, 27}}};
    for (const auto& [text, rowColumn] : valid) {
        const auto ref = XlsxCellRef::parse(QString::fromLatin1(text));
        ASSERT_TRUE(ref) << text;
        EXPECT_EQ(std::pair(ref->row(), ref->column()), rowColumn) << text;
    }
    for (const char* text :
         {"XFE1", "A1048577", "A0", "A01", "AAAA1", "1A", "$A$1", "A 1", "A1:B2", "", "A"}) {
        EXPECT_FALSE(XlsxCellRef::parse(QString::fromLatin1(text))) << text;
    }

    const std::pair<int, const char*> columns[] = {{1, "A"},     {26, "Z"},     {27, "AA"},
                                                   {52, "AZ"},   {53, "BA"},    {702, "ZZ"},
                                                   {703, "AAA"}, {16384, "XFD"}};
    for (const auto& [column, name] : columns) {
        EXPECT_EQ(XlsxCellRef::columnName(column).toStdString(), name);
        EXPECT_EQ(XlsxCellRef::columnNumber(QString::fromLatin1(name)), column) << name;
    }
    EXPECT_EQ(XlsxCellRef::columnNumber(u"XFE"_s), 0);
    EXPECT_EQ(XlsxCellRef::columnNumber(u"A1"_s), 0);

    // Ranges come as top-left and bottom-right corners; one cell is a range of one.
    const auto range = XlsxCellRef::parseRange(u"C3:A1"_s);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->first.toString() + u':' + range->second.toString(), u"A1:C3"_s);
    const auto single = XlsxCellRef::parseRange(u"B2"_s);
    ASSERT_TRUE(single);
    EXPECT_EQ(single->first, single->second);
    EXPECT_FALSE(XlsxCellRef::parseRange(u"A1:"_s));
}

}  // namespace
}  // namespace veskplan
