#include "export/xlsxworkbook.h"
#include "export/ziparchive.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include "support/externaltools.h"

#include <string>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

#define DECL "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
#define MAIN_NS "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
#define REL_NS "http://schemas.openxmlformats.org/officeDocument/2006/relationships"

const QString kSeed = QStringLiteral(VESKPLAN_SOURCE_DIR "/data/seed100-01.xlsx");

QByteArray readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QList<ZipArchive::Entry> entriesOf(const QString& path) {
    return ZipArchive::read(readAll(path));
}

std::string partOf(const QList<ZipArchive::Entry>& entries, const QString& name) {
    for (const ZipArchive::Entry& entry : entries) {
        if (entry.name == name) {
            return entry.data.toStdString();
        }
    }
    ADD_FAILURE() << "no part " << name.toStdString();
    return {};
}

std::string namesOf(const QList<ZipArchive::Entry>& entries) {
    std::string names;
    for (const ZipArchive::Entry& entry : entries) {
        names += entry.name.toStdString() + '\n';
    }
    return names;
}

TEST(XlsxSeed, CommittedFileIsTheGeneratorsOutput) {
    const QString generator = QStringLiteral(VESKPLAN_BIN_DIR "/veskplan-seedworkbook");
    ASSERT_TRUE(QFile::exists(generator)) << "build the target veskplan-seedworkbook first";
    QTemporaryDir dir;
    const QString out = dir.filePath(u"seed.xlsx"_s);
    QProcess process;
    process.start(generator, {out});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QByteArray generated = readAll(out);
    const QByteArray committed = readAll(kSeed);
    EXPECT_EQ(generated.size(), committed.size());
    EXPECT_TRUE(generated == committed)
        << "data/seed100-01.xlsx is stale: run veskplan-seedworkbook data/seed100-01.xlsx";
}

TEST(XlsxSeed, HasTheSixTemplateSheets) {
    EXPECT_EQ(XlsxWorkbook::open(kSeed).sheetNames().join(u' ').toStdString(),
              "e100-01a e100-01b e100-01c m100-01a m100-01b m100-01c");
    EXPECT_EQ(namesOf(entriesOf(kSeed)),
              "[Content_Types].xml\n_rels/.rels\ndocProps/app.xml\ndocProps/core.xml\n"
              "xl/workbook.xml\nxl/_rels/workbook.xml.rels\nxl/styles.xml\nxl/sharedStrings.xml\n"
              "xl/worksheets/sheet1.xml\nxl/worksheets/sheet2.xml\nxl/worksheets/sheet3.xml\n"
              "xl/worksheets/sheet4.xml\nxl/worksheets/sheet5.xml\nxl/worksheets/sheet6.xml\n");
}

TEST(XlsxSeed, WorkbookHasPrintAreaAndTitlesPerSheet) {
    // Print area: the used columns (E for "a", G for "b", J for "c"); titles: rows 13 and 14.
    const std::pair<const char*, const char*> sheets[] = {{"e100-01a", "E"}, {"e100-01b", "G"},
                                                          {"e100-01c", "J"}, {"m100-01a", "E"},
                                                          {"m100-01b", "G"}, {"m100-01c", "J"}};
    std::string list;
    std::string areas;
    std::string titles;
    int index = 0;
    for (const auto& [name, last] : sheets) {
        const std::string id = std::to_string(index + 1);
        const std::string scope = std::to_string(index);
        list += "<sheet name=\"" + std::string(name) + "\" sheetId=\"" + id + "\" r:id=\"rId" + id +
                "\"/>";
        areas += "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"" + scope + "\">'" + name +
                 "'!$A:$" + last + "</definedName>";
        titles += "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"" + scope + "\">'" +
                  name + "'!$13:$14</definedName>";
        ++index;
    }
    EXPECT_EQ(partOf(entriesOf(kSeed), u"xl/workbook.xml"_s),
              DECL "<workbook xmlns=\"" MAIN_NS "\" xmlns:r=\"" REL_NS
                   "\"><workbookPr/>"
                   "<bookViews><workbookView xWindow=\"0\" yWindow=\"0\" windowWidth=\"16384\" "
                   "windowHeight=\"8192\" tabRatio=\"600\"/></bookViews><sheets>" +
                  list + "</sheets><definedNames>" + areas + titles +
                  "</definedNames><calcPr fullCalcOnLoad=\"1\"/></workbook>");
}

TEST(XlsxSeed, SharedStringsInOrderOfFirstUse) {
    // 10 uses on an "a" sheet, 13 on a "b", 16 on a "c"; both unit systems: 78.
    EXPECT_EQ(partOf(entriesOf(kSeed), u"xl/sharedStrings.xml"_s),
              DECL "<sst xmlns=\"" MAIN_NS
                   "\" count=\"78\" uniqueCount=\"18\">"
                   "<si><t>QUANTITY TABLE</t></si><si><t>ENGLISH UNITS</t></si>"
                   "<si><t>PROJECT:</t></si><si><t>SHEET:</t></si><si><t>ITEMS:</t></si>"
                   "<si><t>LINE</t></si><si><t>ITEM NUMBER</t></si><si><t>DESCRIPTION</t></si>"
                   "<si><t>UNIT</t></si><si><t>QUANTITY</t></si><si><t>CATEGORY</t></si>"
                   "<si><t>CAT 1</t></si><si><t>CAT 2</t></si><si><t>TOTAL</t></si>"
                   "<si><t>CAT 3</t></si><si><t>CAT 4</t></si><si><t>CAT 5</t></si>"
                   "<si><t>METRIC UNITS</t></si></sst>");
}

// Sheet e100-01b: title and units merged across A:G, PROJECT/SHEET fields merged B:D, item
// count formula in B6, headings in rows 13-14 (CATEGORY over CAT 1 and CAT 2, TOTAL in G),
// quantity columns E:G formatted 0.000 through their column style, item rows frozen below.
constexpr char kTwoCategorySheet[] =
    DECL "<worksheet xmlns=\"" MAIN_NS "\" xmlns:r=\"" REL_NS
         "\">"
         "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>"
         "<dimension ref=\"A1:G14\"/>"
         "<sheetViews><sheetView workbookViewId=\"0\"><pane ySplit=\"14\" topLeftCell=\"A15\" "
         "activePane=\"bottomLeft\" state=\"frozen\"/><selection pane=\"bottomLeft\" "
         "activeCell=\"A15\" sqref=\"A15\"/></sheetView></sheetViews>"
         "<sheetFormatPr defaultRowHeight=\"12.75\"/>"
         "<cols><col min=\"1\" max=\"1\" width=\"10.7109375\" customWidth=\"1\"/>"
         "<col min=\"2\" max=\"2\" width=\"16.7109375\" customWidth=\"1\"/>"
         "<col min=\"3\" max=\"3\" width=\"44.7109375\" customWidth=\"1\"/>"
         "<col min=\"4\" max=\"4\" width=\"8.7109375\" customWidth=\"1\"/>"
         "<col min=\"5\" max=\"7\" width=\"12.7109375\" style=\"7\" customWidth=\"1\"/></cols>"
         "<sheetData>"
         "<row r=\"1\" ht=\"21\" customHeight=\"1\"><c r=\"A1\" s=\"1\" t=\"s\"><v>0</v></c>"
         "<c r=\"B1\" s=\"1\"/><c r=\"C1\" s=\"1\"/><c r=\"D1\" s=\"1\"/><c r=\"E1\" s=\"1\"/>"
         "<c r=\"F1\" s=\"1\"/><c r=\"G1\" s=\"1\"/></row>"
         "<row r=\"2\"><c r=\"A2\" s=\"2\" t=\"s\"><v>1</v></c>"
         "<c r=\"B2\" s=\"2\"/><c r=\"C2\" s=\"2\"/><c r=\"D2\" s=\"2\"/><c r=\"E2\" s=\"2\"/>"
         "<c r=\"F2\" s=\"2\"/><c r=\"G2\" s=\"2\"/></row>"
         "<row r=\"4\"><c r=\"A4\" s=\"3\" t=\"s\"><v>2</v></c>"
         "<c r=\"B4\" s=\"4\"/><c r=\"C4\" s=\"4\"/><c r=\"D4\" s=\"4\"/></row>"
         "<row r=\"5\"><c r=\"A5\" s=\"3\" t=\"s\"><v>3</v></c>"
         "<c r=\"B5\" s=\"4\"/><c r=\"C5\" s=\"4\"/><c r=\"D5\" s=\"4\"/></row>"
         "<row r=\"6\"><c r=\"A6\" s=\"3\" t=\"s\"><v>4</v></c>"
         "<c r=\"B6\" s=\"5\"><f>COUNTA(B15:B2000)</f><v>0</v></c></row>"
         "<row r=\"13\" ht=\"15\" customHeight=\"1\">"
         "<c r=\"A13\" s=\"6\" t=\"s\"><v>5</v></c><c r=\"B13\" s=\"6\" t=\"s\"><v>6</v></c>"
         "<c r=\"C13\" s=\"6\" t=\"s\"><v>7</v></c><c r=\"D13\" s=\"6\" t=\"s\"><v>8</v></c>"
         "<c r=\"E13\" s=\"6\" t=\"s\"><v>10</v></c><c r=\"F13\" s=\"6\"/>"
         "<c r=\"G13\" s=\"6\" t=\"s\"><v>13</v></c></row>"
         "<row r=\"14\" ht=\"15\" customHeight=\"1\">"
         "<c r=\"A14\" s=\"6\"/><c r=\"B14\" s=\"6\"/><c r=\"C14\" s=\"6\"/><c r=\"D14\" s=\"6\"/>"
         "<c r=\"E14\" s=\"6\" t=\"s\"><v>11</v></c><c r=\"F14\" s=\"6\" t=\"s\"><v>12</v></c>"
         "<c r=\"G14\" s=\"6\"/></row>"
         "</sheetData>"
         "<mergeCells count=\"10\"><mergeCell ref=\"A1:G1\"/><mergeCell ref=\"A2:G2\"/>"
         "<mergeCell ref=\"B4:D4\"/><mergeCell ref=\"B5:D5\"/><mergeCell ref=\"A13:A14\"/>"
         "<mergeCell ref=\"B13:B14\"/><mergeCell ref=\"C13:C14\"/><mergeCell ref=\"D13:D14\"/>"
         "<mergeCell ref=\"E13:F13\"/><mergeCell ref=\"G13:G14\"/></mergeCells>"
         "<printOptions horizontalCentered=\"1\"/>"
         "<pageMargins left=\"0.5\" right=\"0.5\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
         "footer=\"0.3\"/>"
         "<pageSetup paperSize=\"1\" fitToHeight=\"0\" orientation=\"landscape\"/>"
         "<headerFooter><oddFooter>&amp;CPage &amp;P of &amp;N</oddFooter></headerFooter>"
         "</worksheet>";

TEST(XlsxSeed, TwoCategorySheetLayout) {
    EXPECT_EQ(partOf(entriesOf(kSeed), u"xl/worksheets/sheet2.xml"_s), kTwoCategorySheet);
}

TEST(XlsxSeed, KeepingOneSheetLeavesAOneSheetWorkbook) {
    QTemporaryDir dir;
    XlsxWorkbook workbook = XlsxWorkbook::open(kSeed);
    workbook.keepOnlySheet(u"e100-01b"_s, u"Tabfill"_s);
    workbook.save(dir.filePath(u"tabfill.xlsx"_s));
    const QList<ZipArchive::Entry> out = entriesOf(dir.filePath(u"tabfill.xlsx"_s));
    EXPECT_EQ(namesOf(out),
              "[Content_Types].xml\n_rels/.rels\ndocProps/app.xml\ndocProps/core.xml\n"
              "xl/workbook.xml\nxl/_rels/workbook.xml.rels\nxl/styles.xml\nxl/sharedStrings.xml\n"
              "xl/worksheets/sheet2.xml\n");
    EXPECT_EQ(
        partOf(out, u"xl/workbook.xml"_s), DECL
        "<workbook xmlns=\"" MAIN_NS "\" xmlns:r=\"" REL_NS
        "\"><workbookPr/>"
        "<bookViews><workbookView xWindow=\"0\" yWindow=\"0\" windowWidth=\"16384\" "
        "windowHeight=\"8192\" tabRatio=\"600\"/></bookViews>"
        "<sheets><sheet name=\"Tabfill\" sheetId=\"2\" r:id=\"rId2\"/></sheets>"
        "<definedNames>"
        "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">Tabfill!$A:$G</definedName>"
        "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"0\">Tabfill!$13:$14</definedName>"
        "</definedNames><calcPr fullCalcOnLoad=\"1\"/></workbook>");
}

// --- Other programs read what we write -------------------------------------------------------

// The seed cut down to "e100-01b" with two item rows, as the quantity export fills it.
QString writeFilledTable(const QTemporaryDir& dir) {
    XlsxWorkbook workbook = XlsxWorkbook::open(kSeed);
    workbook.keepOnlySheet(u"e100-01b"_s, u"Tabfill"_s);
    workbook.setText(u"A15"_s, u"1"_s);
    workbook.setText(u"B15"_s, u"203-0100"_s);
    workbook.setText(u"C15"_s, u"EXCAVATION, \"CLASS\" A"_s);
    workbook.setText(u"D15"_s, u"CY"_s);
    workbook.setNumber(u"E15"_s, 3);
    workbook.setNumber(u"F15"_s, 4.5);
    workbook.setText(u"G15"_s, u".5"_s);
    workbook.setText(u"A16"_s, u"2"_s);
    workbook.setText(u"B16"_s, u"2599-9999"_s);
    workbook.setText(u"C16"_s, u"D\u00e9blai \u2013 caf\u00e9"_s);
    workbook.setText(u"D16"_s, u"LS"_s);
    workbook.setNumber(u"E16"_s, 1234.5678);
    workbook.setNumber(u"F16"_s, 0);
    const QString path = dir.filePath(u"tabfill.xlsx"_s);
    workbook.save(path);
    return path;
}

TEST(XlsxSeed, CalcReadsTheFilledTable) {
    QTemporaryDir dir;
    const auto table = test::libreOfficeCsv(writeFilledTable(dir));
    if (!table) {
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    }
    // Text comes quoted, numbers bare: the quantities are numbers shown in the column format
    // 0.000, ".5" stays text. The item count in B6 is recalculated on load (two items).
    EXPECT_EQ(table->toStdString(),
              "\"QUANTITY TABLE\",,,,,,\n"
              "\"ENGLISH UNITS\",,,,,,\n"
              ",,,,,,\n"
              "\"PROJECT:\",,,,,,\n"
              "\"SHEET:\",,,,,,\n"
              "\"ITEMS:\",2,,,,,\n"
              ",,,,,,\n,,,,,,\n,,,,,,\n,,,,,,\n,,,,,,\n,,,,,,\n"
              "\"LINE\",\"ITEM NUMBER\",\"DESCRIPTION\",\"UNIT\",\"CATEGORY\",,\"TOTAL\"\n"
              ",,,,\"CAT 1\",\"CAT 2\",\n"
              "\"1\",\"203-0100\",\"EXCAVATION, \"\"CLASS\"\" A\",\"CY\",3.000,4.500,\".5\"\n"
              "\"2\",\"2599-9999\",\"D\xc3\xa9"
              "blai \xe2\x80\x93 caf\xc3\xa9\",\"LS\",1234.568,0.000,\n");
}

TEST(XlsxSeed, OpenpyxlReadsTheFilledTable) {
    QTemporaryDir dir;
    const QString path = writeFilledTable(dir);
    const QString script =
        uR"(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
cells = [[a, ws[a].value, ws[a].data_type, ws[a].number_format]
         for a in ("A15", "B15", "C15", "E15", "F15", "G15", "C16", "E16", "F16", "B6", "G13")]
print(json.dumps({"sheets": wb.sheetnames, "cells": cells,
                  "area": ws.print_area, "titles": ws.print_title_rows,
                  "merged": sorted(str(r) for r in ws.merged_cells.ranges),
                  "widthC": ws.column_dimensions["C"].width,
                  "landscape": ws.page_setup.orientation}))
)"_s;
    const auto output = test::openpyxl(script, path);
    if (!output) {
        GTEST_SKIP() << "/usr/bin/python3 with openpyxl is not installed";
    }
    EXPECT_EQ(output->toStdString(),
              "{\"sheets\": [\"Tabfill\"], \"cells\": ["
              "[\"A15\", \"1\", \"s\", \"General\"], "
              "[\"B15\", \"203-0100\", \"s\", \"General\"], "
              "[\"C15\", \"EXCAVATION, \\\"CLASS\\\" A\", \"s\", \"General\"], "
              "[\"E15\", 3, \"n\", \"0.000\"], "
              "[\"F15\", 4.5, \"n\", \"0.000\"], "
              "[\"G15\", \".5\", \"s\", \"0.000\"], "
              "[\"C16\", \"D\\u00e9blai \\u2013 caf\\u00e9\", \"s\", \"General\"], "
              "[\"E16\", 1234.5678, \"n\", \"0.000\"], "
              "[\"F16\", 0, \"n\", \"0.000\"], "
              "[\"B6\", \"=COUNTA(B15:B2000)\", \"f\", \"0\"], "
              "[\"G13\", \"TOTAL\", \"s\", \"General\"]], "
              "\"area\": [\"$A:$G\"], \"titles\": \"$13:$14\", "
              "\"merged\": [\"A13:A14\", \"A1:G1\", \"A2:G2\", \"B13:B14\", \"B4:D4\", \"B5:D5\", "
              "\"C13:C14\", \"D13:D14\", \"E13:F13\", \"G13:G14\"], "
              "\"widthC\": 44.7109375, \"landscape\": \"landscape\"}");
}

}  // namespace
}  // namespace veskplan
