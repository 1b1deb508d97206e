#include "export/xlsxworkbook.h"
#include "export/ziparchive.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <ostream>
#include <string>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// Parts of the hand-made test workbooks. Each is short enough to check by eye.
constexpr char kDecl[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
#define MAIN_NS "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
#define REL_NS "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
#define PKG_REL_NS "http://schemas.openxmlformats.org/package/2006/relationships"
#define REL_TYPE "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
#define CT_NS "http://schemas.openxmlformats.org/package/2006/content-types"
#define CT_SML "application/vnd.openxmlformats-officedocument.spreadsheetml."

std::string text(const QByteArray& bytes) {
    return bytes.toStdString();
}

QByteArray xml(const char* body) {
    return QByteArray(kDecl) + body;
}

class TempFiles {
public:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }

    QString writeZip(const QString& name, const QList<ZipArchive::Entry>& entries) const {
        return write(name, ZipArchive::write(entries, ZipArchive::Compression::Deflate));
    }

private:
    QTemporaryDir m_dir;
};

QList<ZipArchive::Entry> readZip(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return ZipArchive::read(file.readAll());
}

QByteArray partOf(const QList<ZipArchive::Entry>& entries, const QString& name) {
    for (const ZipArchive::Entry& entry : entries) {
        if (entry.name == name) {
            return entry.data;
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

std::string lines(const QStringList& list) {
    return list.join(u'\n').toStdString();
}

// Names and contents, readable in a failure report.
std::string dump(const QList<ZipArchive::Entry>& entries) {
    std::string out;
    for (const ZipArchive::Entry& entry : entries) {
        out += entry.name.toStdString() + ": " + entry.data.toStdString() + '\n';
    }
    return out;
}

// --- Keeping one sheet of three --------------------------------------------------------------
//
// "Summary" (sheet1) and "Notes" (sheet3) go, "Main Table" (sheet2, the middle one, hidden) is
// kept as "Tabfill". Sheet1 and sheet2 each have a drawing showing the same picture, and
// printer settings of their own; the workbook has a theme, a calculation chain, and a part
// nothing refers to.

const QByteArray kContentTypes = xml(
    "<Types xmlns=\"" CT_NS
    "\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Default Extension=\"bin\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.printerSettings\"/>"
    "<Default Extension=\"png\" ContentType=\"image/png\"/>"
    "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" CT_SML
    "sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" CT_SML
    "worksheet+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet2.xml\" ContentType=\"" CT_SML
    "worksheet+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet3.xml\" ContentType=\"" CT_SML
    "worksheet+xml\"/>"
    "<Override PartName=\"/xl/theme/theme1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.theme+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" ContentType=\"" CT_SML
    "styles+xml\"/>"
    "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" CT_SML
    "sharedStrings+xml\"/>"
    "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"" CT_SML
    "calcChain+xml\"/>"
    "<Override PartName=\"/xl/drawings/drawing1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.drawing+xml\"/>"
    "<Override PartName=\"/xl/drawings/drawing2.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.drawing+xml\"/>"
    "<Override PartName=\"/xl/unused.xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/docProps/app.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
    "</Types>");

const QByteArray kPackageRels = xml("<Relationships xmlns=\"" PKG_REL_NS
                                    "\">"
                                    "<Relationship Id=\"rId1\" Type=\"" REL_TYPE
                                    "officeDocument\" Target=\"xl/workbook.xml\"/>"
                                    "<Relationship Id=\"rId2\" Type=\"" REL_TYPE
                                    "extended-properties\" Target=\"docProps/app.xml\"/>"
                                    "</Relationships>");

const QByteArray kApp =
    xml("<Properties "
        "xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
        "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">"
        "<Application>Test</Application>"
        "<HeadingPairs><vt:vector size=\"4\" baseType=\"variant\">"
        "<vt:variant><vt:lpstr>Worksheets</vt:lpstr></vt:variant><vt:variant><vt:i4>3</vt:i4></"
        "vt:variant>"
        "<vt:variant><vt:lpstr>Named "
        "Ranges</vt:lpstr></vt:variant><vt:variant><vt:i4>5</vt:i4></vt:variant>"
        "</vt:vector></HeadingPairs>"
        "<TitlesOfParts><vt:vector size=\"8\" baseType=\"lpstr\">"
        "<vt:lpstr>Summary</vt:lpstr><vt:lpstr>Main Table</vt:lpstr><vt:lpstr>Notes</vt:lpstr>"
        "<vt:lpstr>'Main Table'!Print_Area</vt:lpstr><vt:lpstr>'Main Table'!Print_Titles</vt:lpstr>"
        "<vt:lpstr>Summary!Print_Area</vt:lpstr><vt:lpstr>Lookup</vt:lpstr><vt:lpstr>Notes!Rate</"
        "vt:lpstr>"
        "</vt:vector></TitlesOfParts>"
        "</Properties>");

const QByteArray kWorkbook = xml(
    "<workbook xmlns=\"" MAIN_NS "\" xmlns:r=\"" REL_NS
    "\">"
    "<workbookPr/>"
    "<bookViews><workbookView activeTab=\"2\" firstSheet=\"1\"/></bookViews>"
    "<sheets>"
    "<sheet name=\"Summary\" sheetId=\"1\" r:id=\"rId1\"/>"
    "<sheet name=\"Main Table\" sheetId=\"2\" state=\"hidden\" r:id=\"rId2\"/>"
    "<sheet name=\"Notes\" sheetId=\"5\" r:id=\"rId3\"/>"
    "</sheets>"
    "<definedNames>"
    "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"0\">Summary!$A$1:$C$9</definedName>"
    "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"1\">'Main "
    "Table'!$A$1:$J$14</definedName>"
    "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"1\">'Main Table'!$13:$14</definedName>"
    "<definedName name=\"Rate\" localSheetId=\"2\">Notes!$B$2</definedName>"
    "<definedName name=\"Total\">'main table'!$J$15</definedName>"
    "<definedName name=\"Lookup\">Summary!$A$1:$B$5</definedName>"
    "<definedName name=\"Label\">\"Summary!A1 stays\"</definedName>"
    "</definedNames>"
    "<calcPr calcId=\"191029\"/>"
    "</workbook>");

const QByteArray kWorkbookRels = xml("<Relationships xmlns=\"" PKG_REL_NS
                                     "\">"
                                     "<Relationship Id=\"rId1\" Type=\"" REL_TYPE
                                     "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                                     "<Relationship Id=\"rId2\" Type=\"" REL_TYPE
                                     "worksheet\" Target=\"worksheets/sheet2.xml\"/>"
                                     "<Relationship Id=\"rId3\" Type=\"" REL_TYPE
                                     "worksheet\" Target=\"/xl/worksheets/sheet3.xml\"/>"
                                     "<Relationship Id=\"rId4\" Type=\"" REL_TYPE
                                     "theme\" Target=\"theme/theme1.xml\"/>"
                                     "<Relationship Id=\"rId5\" Type=\"" REL_TYPE
                                     "styles\" Target=\"styles.xml\"/>"
                                     "<Relationship Id=\"rId6\" Type=\"" REL_TYPE
                                     "sharedStrings\" Target=\"sharedStrings.xml\"/>"
                                     "<Relationship Id=\"rId7\" Type=\"" REL_TYPE
                                     "calcChain\" Target=\"calcChain.xml\"/>"
                                     "</Relationships>");

// Both kept and removed sheets use the shared strings; the kept sheet uses index 1 only.
const QByteArray kSharedStrings = xml("<sst xmlns=\"" MAIN_NS
                                      "\" count=\"3\" uniqueCount=\"2\">"
                                      "<si><t>Title</t></si><si><t>LINE</t></si></sst>");

const QByteArray kSheet1 = xml("<worksheet xmlns=\"" MAIN_NS "\" xmlns:r=\"" REL_NS
                               "\">"
                               "<sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c "
                               "r=\"B1\"><v>2</v></c></row></sheetData>"
                               "<pageSetup r:id=\"rId1\"/><drawing r:id=\"rId2\"/>"
                               "</worksheet>");

const QByteArray kSheet2 =
    xml("<worksheet xmlns=\"" MAIN_NS "\" xmlns:r=\"" REL_NS
        "\">"
        "<dimension ref=\"A1:J13\"/>"
        "<sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>"
        "<sheetFormatPr defaultRowHeight=\"15\"/>"
        "<cols><col min=\"1\" max=\"1\" width=\"6.5\" customWidth=\"1\"/>"
        "<col min=\"5\" max=\"10\" width=\"12\" style=\"3\" customWidth=\"1\"/></cols>"
        "<sheetData>"
        "<row r=\"1\"><c r=\"A1\" s=\"1\" t=\"s\"><v>0</v></c></row>"
        "<row r=\"13\"><c r=\"A13\" t=\"s\"><v>1</v></c>"
        "<c r=\"J13\"><f>SUM(Summary!B1,'Main Table'!E15)</f><v>2</v></c></row>"
        "</sheetData>"
        "<mergeCells count=\"1\"><mergeCell ref=\"A1:J1\"/></mergeCells>"
        "<pageMargins left=\"0.5\" right=\"0.5\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
        "footer=\"0.3\"/>"
        "<pageSetup orientation=\"landscape\" r:id=\"rId1\"/>"
        "<drawing r:id=\"rId2\"/>"
        "</worksheet>");

const QByteArray kSheet3 = xml("<worksheet xmlns=\"" MAIN_NS "\"><sheetData/></worksheet>");

QByteArray sheetRels(int printer, int drawing) {
    return xml(QByteArray("<Relationships xmlns=\"" PKG_REL_NS "\">"
                          "<Relationship Id=\"rId1\" Type=\"" REL_TYPE
                          "printerSettings\" Target=\"../printerSettings/printerSettings%1.bin\"/>"
                          "<Relationship Id=\"rId2\" Type=\"" REL_TYPE
                          "drawing\" Target=\"../drawings/drawing%2.xml\"/>"
                          "</Relationships>")
                   .replace("%1", QByteArray::number(printer))
                   .replace("%2", QByteArray::number(drawing))
                   .constData());
}

const QByteArray kDrawingRels = xml("<Relationships xmlns=\"" PKG_REL_NS
                                    "\">"
                                    "<Relationship Id=\"rId1\" Type=\"" REL_TYPE
                                    "image\" Target=\"../media/image1.png\"/>"
                                    "</Relationships>");

const QByteArray kDrawing =
    xml("<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/"
        "drawingml/2006/spreadsheetDrawing\"/>");
const QByteArray kTheme =
    xml("<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/"
        "2006/main\" name=\"Plain\"/>");
const QByteArray kStyles = xml("<styleSheet xmlns=\"" MAIN_NS "\"/>");

QList<ZipArchive::Entry> threeSheetPackage() {
    return {
        {u"[Content_Types].xml"_s, kContentTypes},
        {u"_rels/.rels"_s, kPackageRels},
        {u"docProps/app.xml"_s, kApp},
        {u"xl/workbook.xml"_s, kWorkbook},
        {u"xl/_rels/workbook.xml.rels"_s, kWorkbookRels},
        {u"xl/worksheets/sheet1.xml"_s, kSheet1},
        {u"xl/worksheets/sheet2.xml"_s, kSheet2},
        {u"xl/worksheets/sheet3.xml"_s, kSheet3},
        {u"xl/worksheets/_rels/sheet1.xml.rels"_s, sheetRels(1, 2)},
        {u"xl/worksheets/_rels/sheet2.xml.rels"_s, sheetRels(2, 1)},
        {u"xl/printerSettings/printerSettings1.bin"_s, QByteArray("\x01\x00one", 5)},
        {u"xl/printerSettings/printerSettings2.bin"_s, QByteArray("\x02\x00two", 5)},
        {u"xl/drawings/drawing1.xml"_s, kDrawing},
        {u"xl/drawings/drawing2.xml"_s, kDrawing},
        {u"xl/drawings/_rels/drawing1.xml.rels"_s, kDrawingRels},
        {u"xl/drawings/_rels/drawing2.xml.rels"_s, kDrawingRels},
        {u"xl/media/image1.png"_s, QByteArray("\x89PNG\r\n\x1a\n", 8)},
        {u"xl/theme/theme1.xml"_s, kTheme},
        {u"xl/styles.xml"_s, kStyles},
        {u"xl/sharedStrings.xml"_s, kSharedStrings},
        {u"xl/calcChain.xml"_s,
         xml("<calcChain xmlns=\"" MAIN_NS "\"><c r=\"B1\" i=\"1\"/></calcChain>")},
        {u"xl/unused.xml"_s, xml("<unused/>")},
    };
}

class XlsxKeepOnlySheet : public ::testing::Test {
protected:
    void SetUp() override {
        const QString seed = files.writeZip(u"seed.xlsx"_s, threeSheetPackage());
        XlsxWorkbook workbook = XlsxWorkbook::open(seed);
        ASSERT_EQ(lines(workbook.sheetNames()), "Summary\nMain Table\nNotes");
        workbook.keepOnlySheet(u"Main Table"_s, u"Tabfill"_s);
        EXPECT_EQ(lines(workbook.sheetNames()), "Tabfill");
        workbook.save(files.path(u"out.xlsx"_s));
        out = readZip(files.path(u"out.xlsx"_s));
    }

    TempFiles files;
    QList<ZipArchive::Entry> out;
};

TEST_F(XlsxKeepOnlySheet, KeepsExactlyThePartsTheSheetNeeds) {
    // Gone: the other sheets with their relationships, printer settings and drawing, the
    // calculation chain, and the part nothing referred to. The picture stays: the kept
    // sheet's drawing shows it too.
    EXPECT_EQ(namesOf(out),
              "[Content_Types].xml\n"
              "_rels/.rels\n"
              "docProps/app.xml\n"
              "xl/workbook.xml\n"
              "xl/_rels/workbook.xml.rels\n"
              "xl/worksheets/sheet2.xml\n"
              "xl/worksheets/_rels/sheet2.xml.rels\n"
              "xl/printerSettings/printerSettings2.bin\n"
              "xl/drawings/drawing1.xml\n"
              "xl/drawings/_rels/drawing1.xml.rels\n"
              "xl/media/image1.png\n"
              "xl/theme/theme1.xml\n"
              "xl/styles.xml\n"
              "xl/sharedStrings.xml\n");
}

TEST_F(XlsxKeepOnlySheet, CopiesUnchangedPartsByteForByte) {
    const QList<ZipArchive::Entry> in = threeSheetPackage();
    for (const QString& name :
         {u"_rels/.rels"_s, u"xl/worksheets/_rels/sheet2.xml.rels"_s,
          u"xl/printerSettings/printerSettings2.bin"_s, u"xl/drawings/drawing1.xml"_s,
          u"xl/media/image1.png"_s, u"xl/theme/theme1.xml"_s, u"xl/styles.xml"_s,
          u"xl/sharedStrings.xml"_s}) {
        EXPECT_EQ(text(partOf(out, name)), text(partOf(in, name))) << name.toStdString();
    }
}

TEST_F(XlsxKeepOnlySheet, WorkbookNamesOneVisibleSheetAndItsNames) {
    // The kept names are scoped to sheet 0 and follow the new name; the removed sheets' names
    // are gone; a workbook name that pointed at a removed sheet reads #REF!; text that only
    // looks like a reference is left alone; formulas recalculate on load.
    EXPECT_EQ(text(partOf(out, u"xl/workbook.xml"_s)),
              text(xml("<workbook xmlns=\"" MAIN_NS "\" xmlns:r=\"" REL_NS "\">"
                       "<workbookPr/>"
                       "<bookViews><workbookView/></bookViews>"
                       "<sheets><sheet name=\"Tabfill\" sheetId=\"2\" r:id=\"rId2\"/></sheets>"
                       "<definedNames>"
                       "<definedName name=\"_xlnm.Print_Area\" "
                       "localSheetId=\"0\">Tabfill!$A$1:$J$14</definedName>"
                       "<definedName name=\"_xlnm.Print_Titles\" "
                       "localSheetId=\"0\">Tabfill!$13:$14</definedName>"
                       "<definedName name=\"Total\">Tabfill!$J$15</definedName>"
                       "<definedName name=\"Lookup\">#REF!$A$1:$B$5</definedName>"
                       "<definedName name=\"Label\">\"Summary!A1 stays\"</definedName>"
                       "</definedNames>"
                       "<calcPr calcId=\"191029\" fullCalcOnLoad=\"1\"/>"
                       "</workbook>")));
}

TEST_F(XlsxKeepOnlySheet, RelationshipsAndContentTypesListOnlyKeptParts) {
    EXPECT_EQ(
        text(partOf(out, u"xl/_rels/workbook.xml.rels"_s)),
        text(xml("<Relationships xmlns=\"" PKG_REL_NS "\">"
                 "<Relationship Id=\"rId2\" Type=\"" REL_TYPE
                 "worksheet\" Target=\"worksheets/sheet2.xml\"/>"
                 "<Relationship Id=\"rId4\" Type=\"" REL_TYPE
                 "theme\" Target=\"theme/theme1.xml\"/>"
                 "<Relationship Id=\"rId5\" Type=\"" REL_TYPE "styles\" Target=\"styles.xml\"/>"
                 "<Relationship Id=\"rId6\" Type=\"" REL_TYPE
                 "sharedStrings\" Target=\"sharedStrings.xml\"/>"
                 "</Relationships>")));
    EXPECT_EQ(
        text(partOf(out, u"[Content_Types].xml"_s)),
        text(xml("<Types xmlns=\"" CT_NS "\">"
                 "<Default Extension=\"rels\" "
                 "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                 "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                 "<Default Extension=\"bin\" "
                 "ContentType=\"application/"
                 "vnd.openxmlformats-officedocument.spreadsheetml.printerSettings\"/>"
                 "<Default Extension=\"png\" ContentType=\"image/png\"/>"
                 "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" CT_SML
                 "sheet.main+xml\"/>"
                 "<Override PartName=\"/xl/worksheets/sheet2.xml\" ContentType=\"" CT_SML
                 "worksheet+xml\"/>"
                 "<Override PartName=\"/xl/theme/theme1.xml\" "
                 "ContentType=\"application/vnd.openxmlformats-officedocument.theme+xml\"/>"
                 "<Override PartName=\"/xl/styles.xml\" ContentType=\"" CT_SML "styles+xml\"/>"
                 "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" CT_SML
                 "sharedStrings+xml\"/>"
                 "<Override PartName=\"/xl/drawings/drawing1.xml\" "
                 "ContentType=\"application/vnd.openxmlformats-officedocument.drawing+xml\"/>"
                 "<Override PartName=\"/docProps/app.xml\" "
                 "ContentType=\"application/"
                 "vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
                 "</Types>")));
}

TEST_F(XlsxKeepOnlySheet, DocumentSummaryCountsOneSheet) {
    EXPECT_EQ(
        text(partOf(out, u"docProps/app.xml"_s)),
        text(xml(
            "<Properties "
            "xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
            "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">"
            "<Application>Test</Application>"
            "<HeadingPairs><vt:vector size=\"4\" baseType=\"variant\">"
            "<vt:variant><vt:lpstr>Worksheets</vt:lpstr></vt:variant><vt:variant><vt:i4>1</vt:i4></"
            "vt:variant>"
            "<vt:variant><vt:lpstr>Named "
            "Ranges</vt:lpstr></vt:variant><vt:variant><vt:i4>3</vt:i4></vt:variant>"
            "</vt:vector></HeadingPairs>"
            "<TitlesOfParts><vt:vector size=\"4\" baseType=\"lpstr\">"
            "<vt:lpstr>Tabfill</vt:lpstr>"
            "<vt:lpstr>Tabfill!Print_Area</vt:lpstr><vt:lpstr>Tabfill!Print_Titles</vt:lpstr>"
            "<vt:lpstr>Lookup</vt:lpstr>"
            "</vt:vector></TitlesOfParts>"
            "</Properties>")));
}

TEST_F(XlsxKeepOnlySheet, SheetKeepsWidthsMergesPageSetupAndFormulas) {
    // Selected as the only tab; its formula follows the renaming.
    EXPECT_EQ(
        text(partOf(out, u"xl/worksheets/sheet2.xml"_s)),
        text(xml("<worksheet xmlns=\"" MAIN_NS "\" xmlns:r=\"" REL_NS "\">"
                 "<dimension ref=\"A1:J13\"/>"
                 "<sheetViews><sheetView workbookViewId=\"0\" tabSelected=\"1\"/></sheetViews>"
                 "<sheetFormatPr defaultRowHeight=\"15\"/>"
                 "<cols><col min=\"1\" max=\"1\" width=\"6.5\" customWidth=\"1\"/>"
                 "<col min=\"5\" max=\"10\" width=\"12\" style=\"3\" customWidth=\"1\"/></cols>"
                 "<sheetData>"
                 "<row r=\"1\"><c r=\"A1\" s=\"1\" t=\"s\"><v>0</v></c></row>"
                 "<row r=\"13\"><c r=\"A13\" t=\"s\"><v>1</v></c>"
                 "<c r=\"J13\"><f>SUM(#REF!B1,Tabfill!E15)</f></c></row>"
                 "</sheetData>"
                 "<mergeCells count=\"1\"><mergeCell ref=\"A1:J1\"/></mergeCells>"
                 "<pageMargins left=\"0.5\" right=\"0.5\" top=\"0.75\" bottom=\"0.75\" "
                 "header=\"0.3\" footer=\"0.3\"/>"
                 "<pageSetup orientation=\"landscape\" r:id=\"rId1\"/>"
                 "<drawing r:id=\"rId2\"/>"
                 "</worksheet>")));
}

TEST(XlsxWorkbookKeep, RefusalLeavesTheWorkbookAsItWas) {
    TempFiles files;
    const QString seed = files.writeZip(u"seed.xlsx"_s, threeSheetPackage());
    XlsxWorkbook workbook = XlsxWorkbook::open(seed);
    struct Case {
        QString name;
        QString newName;
        std::string reason;
    };
    const Case cases[] = {
        {u"Absent"_s, u"Tabfill"_s, "the workbook has no sheet named \"Absent\""},
        {u"Notes"_s, u"Tab:fill"_s, "\"Tab:fill\" is not a valid sheet name"},
        {u"Notes"_s, u"A name longer than thirty-one ch"_s, "is not a valid sheet name"},
        {u"Notes"_s, QString(), "\"\" is not a valid sheet name"},
        {u"Notes"_s, u"'quoted'"_s, "is not a valid sheet name"},
    };
    for (const Case& c : cases) {
        try {
            workbook.keepOnlySheet(c.name, c.newName);
            ADD_FAILURE() << "no refusal for " << c.name.toStdString();
        } catch (const XlsxError& error) {
            EXPECT_EQ(error.file().toStdString(), seed.toStdString());
            EXPECT_NE(error.reason().toStdString().find(c.reason), std::string::npos)
                << error.what();
            EXPECT_EQ(
                std::string(error.what()).rfind(QDir::toNativeSeparators(seed).toStdString(), 0),
                0u)
                << error.what();
        }
    }
    EXPECT_EQ(lines(workbook.sheetNames()), "Summary\nMain Table\nNotes");
    workbook.save(files.path(u"same.xlsx"_s));
    EXPECT_EQ(dump(readZip(files.path(u"same.xlsx"_s))), dump(threeSheetPackage()));
}

TEST(XlsxWorkbookKeep, SheetNameMatchesIgnoringCaseWhenNoExactOne) {
    TempFiles files;
    XlsxWorkbook workbook = XlsxWorkbook::open(files.writeZip(u"seed.xlsx"_s, threeSheetPackage()));
    workbook.keepOnlySheet(u"notes"_s, u"Tabfill"_s);
    workbook.save(files.path(u"out.xlsx"_s));
    const QByteArray book = partOf(readZip(files.path(u"out.xlsx"_s)), u"xl/workbook.xml"_s);
    EXPECT_NE(
        text(book).find("<sheets><sheet name=\"Tabfill\" sheetId=\"5\" r:id=\"rId3\"/></sheets>"
                        "<definedNames><definedName name=\"Rate\" localSheetId=\"0\">"
                        "Tabfill!$B$2</definedName>"
                        "<definedName name=\"Total\">#REF!$J$15</definedName>"),
        std::string::npos)
        << text(book);
}

QByteArray zipOf(const QList<ZipArchive::Entry>& entries) {
    return ZipArchive::write(entries, ZipArchive::Compression::Deflate);
}

QList<ZipArchive::Entry> replaced(QList<ZipArchive::Entry> entries, const QString& name,
                                  const QByteArray& data) {
    for (ZipArchive::Entry& entry : entries) {
        if (entry.name == name) {
            entry.data = data;
        }
    }
    return entries;
}

QList<ZipArchive::Entry> without(QList<ZipArchive::Entry> entries, const QString& name) {
    entries.removeIf([&](const ZipArchive::Entry& entry) { return entry.name == name; });
    return entries;
}

QList<ZipArchive::Entry> with(QList<ZipArchive::Entry> entries, const QString& name,
                              const QByteArray& data) {
    entries.append({name, data});
    return entries;
}

// --- Setting cells ---------------------------------------------------------------------------

QByteArray oneSheetXml(const char* dimension, const char* sheetData) {
    return xml((QByteArray("<worksheet xmlns=\"" MAIN_NS "\"><dimension ref=\"") + dimension +
                "\"/><cols><col min=\"5\" max=\"6\" width=\"12\" style=\"7\" customWidth=\"1\"/>"
                "</cols><sheetData>" +
                sheetData + "</sheetData></worksheet>")
                   .constData());
}

QList<ZipArchive::Entry> oneSheetPackage(const QByteArray& sheet) {
    return {
        {u"[Content_Types].xml"_s,
         xml("<Types xmlns=\"" CT_NS "\">"
             "<Default Extension=\"rels\" "
             "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
             "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" CT_SML "sheet.main+xml\"/>"
             "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" CT_SML
             "worksheet+xml\"/>"
             "</Types>")},
        {u"_rels/.rels"_s, kPackageRels},
        {u"xl/workbook.xml"_s,
         xml("<workbook xmlns=\"" MAIN_NS "\" xmlns:r=\"" REL_NS "\"><sheets>"
             "<sheet name=\"Only\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>")},
        {u"xl/_rels/workbook.xml.rels"_s, xml("<Relationships xmlns=\"" PKG_REL_NS "\">"
                                              "<Relationship Id=\"rId1\" Type=\"" REL_TYPE
                                              "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                                              "</Relationships>")},
        {u"xl/worksheets/sheet1.xml"_s, sheet},
    };
}

using Edit = std::function<void(XlsxWorkbook&)>;

Edit number(const char* a1, double value) {
    return [=](XlsxWorkbook& workbook) { workbook.setNumber(QString::fromLatin1(a1), value); };
}

Edit string(const char* a1, const QString& value) {
    return [=](XlsxWorkbook& workbook) { workbook.setText(QString::fromLatin1(a1), value); };
}

struct CellCase {
    const char* what;
    const char* dimension;
    const char* before;
    std::vector<Edit> edits;
    const char* expectedDimension;
    const char* after;
};

void PrintTo(const CellCase& c, std::ostream* out) {
    *out << c.what;
}

// Row 2 holds a shared string (style 4) and a formula (style 5); row 5 is formatted as a
// whole (style 6); columns E and F carry style 7.
constexpr char kRows[] =
    "<row r=\"2\" spans=\"2:3\"><c r=\"B2\" s=\"4\" t=\"s\"><v>0</v></c>"
    "<c r=\"C2\" s=\"5\"><f>A1*2</f><v>8</v></c></row>"
    "<row r=\"5\" s=\"6\" customFormat=\"1\"><c r=\"A5\"><v>1</v></c></row>";

class SetCells : public ::testing::TestWithParam<CellCase> {};

TEST_P(SetCells, WritesRowsAndCellsInOrder) {
    const CellCase& c = GetParam();
    TempFiles files;
    XlsxWorkbook workbook = XlsxWorkbook::open(
        files.writeZip(u"in.xlsx"_s, oneSheetPackage(oneSheetXml(c.dimension, c.before))));
    for (const Edit& edit : c.edits) {
        edit(workbook);
    }
    workbook.save(files.path(u"out.xlsx"_s));
    EXPECT_EQ(text(partOf(readZip(files.path(u"out.xlsx"_s)), u"xl/worksheets/sheet1.xml"_s)),
              text(oneSheetXml(c.expectedDimension, c.after)));
}

const QString kSpaced = u" a\tb"_s + QChar(1) + u"_x0041_ "_s;

INSTANTIATE_TEST_SUITE_P(
    XlsxWorkbook, SetCells,
    ::testing::Values(
        CellCase{"number replaces a formula, style kept",
                 "A2:C5",
                 kRows,
                 {number("C2", 4.5)},
                 "A2:C5",
                 "<row r=\"2\" spans=\"2:3\"><c r=\"B2\" s=\"4\" t=\"s\"><v>0</v></c>"
                 "<c r=\"C2\" s=\"5\"><v>4.5</v></c></row>"
                 "<row r=\"5\" s=\"6\" customFormat=\"1\"><c r=\"A5\"><v>1</v></c></row>"},
        CellCase{"text replaces a shared string",
                 "A2:C5",
                 kRows,
                 {string("B2", u"Hi & <bye>"_s)},
                 "A2:C5",
                 "<row r=\"2\" spans=\"2:3\"><c r=\"B2\" s=\"4\" t=\"inlineStr\"><is><t>Hi &amp; "
                 "&lt;bye&gt;</t></is></c><c r=\"C2\" s=\"5\"><f>A1*2</f></c></row>"
                 "<row r=\"5\" s=\"6\" customFormat=\"1\"><c r=\"A5\"><v>1</v></c></row>"},
        CellCase{"new cells before, between and after",
                 "A2:C5",
                 kRows,
                 {number("D2", 3), number("A2", 1)},
                 "A2:D5",
                 "<row r=\"2\" spans=\"1:4\"><c r=\"A2\"><v>1</v></c>"
                 "<c r=\"B2\" s=\"4\" t=\"s\"><v>0</v></c>"
                 "<c r=\"C2\" s=\"5\"><f>A1*2</f></c><c r=\"D2\"><v>3</v></c></row>"
                 "<row r=\"5\" s=\"6\" customFormat=\"1\"><c r=\"A5\"><v>1</v></c></row>"},
        CellCase{"new rows first, between and last; row and column styles",
                 "A2:C5",
                 kRows,
                 {number("F9", 2), number("E3", 1), string("A1", u"x"_s), number("B5", 7)},
                 "A1:F9",
                 "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>x</t></is></c></row>"
                 "<row r=\"2\" spans=\"2:3\"><c r=\"B2\" s=\"4\" t=\"s\"><v>0</v></c>"
                 "<c r=\"C2\" s=\"5\"><f>A1*2</f></c></row>"
                 "<row r=\"3\"><c r=\"E3\" s=\"7\"><v>1</v></c></row>"
                 "<row r=\"5\" s=\"6\" customFormat=\"1\"><c r=\"A5\"><v>1</v></c>"
                 "<c r=\"B5\" s=\"6\"><v>7</v></c></row>"
                 "<row r=\"9\"><c r=\"F9\" s=\"7\"><v>2</v></c></row>"},
        CellCase{"empty text blanks the cell, style kept",
                 "A2:C5",
                 kRows,
                 {string("B2", QString())},
                 "A2:C5",
                 "<row r=\"2\" spans=\"2:3\"><c r=\"B2\" s=\"4\"/>"
                 "<c r=\"C2\" s=\"5\"><f>A1*2</f></c></row>"
                 "<row r=\"5\" s=\"6\" customFormat=\"1\"><c r=\"A5\"><v>1</v></c></row>"},
        CellCase{"text with edge blanks, a control character and an escape look-alike",
                 "A1",
                 "",
                 {string("a1", kSpaced)},
                 "A1",
                 "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> a\tb"
                 "_x0001__x005F_x0041_ </t></is></c></row>"},
        CellCase{
            "numbers in shortest round-trip form",
            "A1",
            "",
            {number("A1", 0.1 + 0.2), number("B1", 1e21), number("C1", -0.0),
             number("D1", 123456789012.0), number("E1", -2.5e-7), number("F1", 1.0 / 3)},
            "A1:F1",
            "<row r=\"1\"><c r=\"A1\"><v>0.30000000000000004</v></c><c r=\"B1\"><v>1e+21</v></c>"
            "<c r=\"C1\"><v>0</v></c><c r=\"D1\"><v>123456789012</v></c>"
            "<c r=\"E1\" s=\"7\"><v>-2.5e-07</v></c><c r=\"F1\" "
            "s=\"7\"><v>0.3333333333333333</v></c></row>"},
        CellCase{"overwriting a shared formula's master gives the others their own",
                 "A1:A3",
                 "<row r=\"1\"><c r=\"A1\"><f t=\"shared\" ref=\"A1:B3\" "
                 "si=\"0\">C1*$D$1+SUM(C$1:C1)</f><v>2</v></c>"
                 "<c r=\"B1\"><f t=\"shared\" si=\"0\"/><v>3</v></c></row>"
                 "<row r=\"2\"><c r=\"A2\"><f t=\"shared\" si=\"0\"/><v>4</v></c>"
                 "<c r=\"B2\"><f t=\"shared\" si=\"1\" ref=\"B2:B3\">1</f><v>1</v></c></row>"
                 "<row r=\"3\"><c r=\"B3\"><f t=\"shared\" si=\"0\"/><v>6</v></c></row>",
                 {number("A1", 5)},
                 "A1:A3",
                 "<row r=\"1\"><c r=\"A1\"><v>5</v></c>"
                 "<c r=\"B1\"><f>D1*$D$1+SUM(D$1:D1)</f></c></row>"
                 "<row r=\"2\"><c r=\"A2\"><f>C2*$D$1+SUM(C$1:C2)</f></c>"
                 "<c r=\"B2\"><f t=\"shared\" si=\"1\" ref=\"B2:B3\">1</f></c></row>"
                 "<row r=\"3\"><c r=\"B3\"><f>D3*$D$1+SUM(D$1:D3)</f></c></row>"},
        CellCase{"overwriting a shared formula's follower leaves the group",
                 "A1:A2",
                 "<row r=\"1\"><c r=\"A1\"><f t=\"shared\" ref=\"A1:A2\" "
                 "si=\"0\">B1</f><v>2</v></c></row>"
                 "<row r=\"2\"><c r=\"A2\"><f t=\"shared\" si=\"0\"/><v>4</v></c></row>",
                 {string("A2", u"t"_s)},
                 "A1:A2",
                 "<row r=\"1\"><c r=\"A1\"><f t=\"shared\" ref=\"A1:A2\" si=\"0\">B1</f></c></row>"
                 "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>t</t></is></c></row>"},
        CellCase{"rows and cells without numbers are numbered",
                 "A1",
                 "<row><c><v>1</v></c><c><v>2</v></c></row><row r=\"3\"><c r=\"c3\"/></row><row/>",
                 {number("C1", 3)},
                 "A1:C1",
                 "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><v>2</v></c><c "
                 "r=\"C1\"><v>3</v></c></row>"
                 "<row r=\"3\"><c r=\"C3\"/></row><row r=\"4\"/>"},
        CellCase{"value metadata and the old type go with the old value",
                 "A1",
                 "<row r=\"1\"><c r=\"A1\" s=\"2\" t=\"e\" cm=\"1\" "
                 "vm=\"1\"><f>X</f><v>#N/A</v></c></row>",
                 {number("A1", 1)},
                 "A1",
                 "<row r=\"1\"><c r=\"A1\" s=\"2\"><v>1</v></c></row>"}),
    [](const ::testing::TestParamInfo<CellCase>& info) {
        return "case" + std::to_string(info.index);
    });

TEST(XlsxWorkbookCells, ArrayFormulaCellsAreRefusedExceptTheMaster) {
    TempFiles files;
    XlsxWorkbook workbook = XlsxWorkbook::open(files.writeZip(
        u"in.xlsx"_s,
        oneSheetPackage(oneSheetXml(
            "A1:A2",
            "<row r=\"1\"><c r=\"A1\"><f t=\"array\" ref=\"A1:A2\">B1:B2*2</f><v>2</v></c></row>"
            "<row r=\"2\"><c r=\"A2\"><v>4</v></c></row>"))));
    try {
        workbook.setNumber(u"A2"_s, 1);
        ADD_FAILURE() << "writing into an array formula was accepted";
    } catch (const XlsxError& error) {
        EXPECT_EQ(error.reason().toStdString(), "cell A2 is part of the array formula in A1");
    }
    workbook.setNumber(u"A1"_s, 1);
    workbook.setNumber(u"A2"_s, 3);  // the array is gone with its master
    workbook.save(files.path(u"out.xlsx"_s));
    EXPECT_EQ(text(partOf(readZip(files.path(u"out.xlsx"_s)), u"xl/worksheets/sheet1.xml"_s)),
              text(oneSheetXml("A1:A2",
                               "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"
                               "<row r=\"2\"><c r=\"A2\"><v>3</v></c></row>")));
}

TEST(XlsxWorkbookCells, UnstorableValuesAreRefused) {
    TempFiles files;
    const QString path = files.writeZip(u"in.xlsx"_s, oneSheetPackage(oneSheetXml("A1", "")));
    XlsxWorkbook workbook = XlsxWorkbook::open(path);
    const std::pair<Edit, QString> cases[] = {
        {number("E0", 1), u"\"E0\" is not a cell address"_s},
        {number("XFE1", 1), u"\"XFE1\" is not a cell address"_s},
        {number("A1048577", 1), u"\"A1048577\" is not a cell address"_s},
        {number("$A$1", 1), u"\"$A$1\" is not a cell address"_s},
        {number("A", 1), u"\"A\" is not a cell address"_s},
        {number("A1", std::numeric_limits<double>::quiet_NaN()),
         u"cell A1 cannot hold the value nan"_s},
        {number("A1", -std::numeric_limits<double>::infinity()),
         u"cell A1 cannot hold the value -inf"_s},
        {string("A1", QString(32768, u'x')), u"text for cell A1 is longer than 32767 characters"_s},
    };
    for (const auto& [edit, reason] : cases) {
        try {
            edit(workbook);
            ADD_FAILURE() << "accepted: " << reason.toStdString();
        } catch (const XlsxError& error) {
            EXPECT_EQ(error.reason().toStdString(), reason.toStdString());
            EXPECT_EQ(error.file().toStdString(), path.toStdString());
        }
    }
    workbook.setText(u"XFD1048576"_s, QString(32767, u'y'));  // the largest that fit
}

TEST(XlsxWorkbookCells, EditingHasFormulasRecalculatedOnLoad) {
    // calcPr goes after definedNames and before pivotCaches, where the schema wants it.
    TempFiles files;
    const QByteArray book =
        xml("<workbook xmlns=\"" MAIN_NS "\" xmlns:r=\"" REL_NS
            "\"><sheets>"
            "<sheet name=\"Only\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
            "<definedNames><definedName name=\"x\">1</definedName></definedNames>"
            "<pivotCaches/></workbook>");
    XlsxWorkbook workbook = XlsxWorkbook::open(files.writeZip(
        u"in.xlsx"_s,
        replaced(oneSheetPackage(oneSheetXml("A1", "")), u"xl/workbook.xml"_s, book)));
    workbook.setNumber(u"A1"_s, 1);
    workbook.save(files.path(u"out.xlsx"_s));
    EXPECT_EQ(text(partOf(readZip(files.path(u"out.xlsx"_s)), u"xl/workbook.xml"_s)),
              text(xml("<workbook xmlns=\"" MAIN_NS "\" xmlns:r=\"" REL_NS "\"><sheets>"
                       "<sheet name=\"Only\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
                       "<definedNames><definedName name=\"x\">1</definedName></definedNames>"
                       "<calcPr fullCalcOnLoad=\"1\"/><pivotCaches/></workbook>")));
}

// --- Refusing files --------------------------------------------------------------------------

struct RefusalCase {
    const char* what;
    std::function<QByteArray()> bytes;  // null: no file at all
    const char* reason;                 // the start of the reason
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.what;
}

class OpenRefuses : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(OpenRefuses, WithTheFileNamed) {
    const RefusalCase& c = GetParam();
    TempFiles files;
    const QString path = files.path(u"bad.xlsx"_s);
    if (c.bytes) {
        files.write(u"bad.xlsx"_s, c.bytes());
    }
    try {
        XlsxWorkbook::open(path);
        ADD_FAILURE() << "opened: " << c.what;
    } catch (const XlsxError& error) {
        EXPECT_EQ(error.file().toStdString(), path.toStdString());
        EXPECT_EQ(error.reason().left(int(strlen(c.reason))).toStdString(), c.reason)
            << error.what();
        EXPECT_EQ(std::string(error.what()),
                  (QDir::toNativeSeparators(path) + u": "_s + error.reason()).toStdString());
    }
}

const QByteArray kEntityBomb =
    xml("<!DOCTYPE workbook [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>"
        "<workbook xmlns=\"" MAIN_NS
        "\"><sheets/><definedNames>"
        "<definedName name=\"x\">&b;</definedName></definedNames></workbook>");

INSTANTIATE_TEST_SUITE_P(
    XlsxWorkbook, OpenRefuses,
    ::testing::Values(
        RefusalCase{"missing file", nullptr, "cannot open the file ("},
        RefusalCase{"empty file", [] { return QByteArray(); }, "not a zip archive"},
        RefusalCase{"text file", [] { return QByteArray("LINE,ITEM\r\n1,203\r\n"); },
                    "not a zip archive"},
        RefusalCase{"cut-off archive",
                    [] { return zipOf(oneSheetPackage(oneSheetXml("A1", ""))).first(200); },
                    "not a zip archive"},
        RefusalCase{"zip of something else",
                    [] {
                        return zipOf({{u"notes.txt"_s, "hello"}});
                    },
                    "not a workbook: [Content_Types].xml is missing"},
        RefusalCase{
            "no package relationships",
            [] { return zipOf(without(oneSheetPackage(oneSheetXml("A1", "")), u"_rels/.rels"_s)); },
            "not a workbook: _rels/.rels is missing"},
        RefusalCase{"no workbook.xml",
                    [] {
                        return zipOf(
                            without(oneSheetPackage(oneSheetXml("A1", "")), u"xl/workbook.xml"_s));
                    },
                    "not a workbook: the workbook part is missing"},
        RefusalCase{"a text document",
                    [] {
                        return zipOf(replaced(oneSheetPackage(oneSheetXml("A1", "")),
                                              u"xl/workbook.xml"_s,
                                              xml("<w:document xmlns:w=\"urn:x\"/>")));
                    },
                    "not a workbook: the main part is a \"w:document\""},
        RefusalCase{"malformed workbook.xml",
                    [] {
                        return zipOf(replaced(oneSheetPackage(oneSheetXml("A1", "")),
                                              u"xl/workbook.xml"_s,
                                              xml("<workbook><sheets></workbook>")));
                    },
                    "part \"xl/workbook.xml\" is not well-formed XML ("},
        RefusalCase{"entity definitions",
                    [] {
                        return zipOf(replaced(oneSheetPackage(oneSheetXml("A1", "")),
                                              u"xl/workbook.xml"_s, kEntityBomb));
                    },
                    "part \"xl/workbook.xml\" has a document type declaration"},
        RefusalCase{"entry climbing out with ..",
                    [] {
                        return zipOf(with(oneSheetPackage(oneSheetXml("A1", "")),
                                          u"xl/../../evil.sh"_s, "x"));
                    },
                    "unsafe entry name \"xl/../../evil.sh\""},
        RefusalCase{
            "entry named ..",
            [] { return zipOf(with(oneSheetPackage(oneSheetXml("A1", "")), u".."_s, "x")); },
            "unsafe entry name \"..\""},
        RefusalCase{"absolute entry",
                    [] {
                        return zipOf(
                            with(oneSheetPackage(oneSheetXml("A1", "")), u"/etc/cron.d/x"_s, "x"));
                    },
                    "unsafe entry name \"/etc/cron.d/x\""},
        RefusalCase{
            "drive letter",
            [] { return zipOf(with(oneSheetPackage(oneSheetXml("A1", "")), u"C:/x.xml"_s, "x")); },
            "unsafe entry name \"C:/x.xml\""},
        RefusalCase{"backslash path",
                    [] {
                        return zipOf(
                            with(oneSheetPackage(oneSheetXml("A1", "")), u"xl\\..\\..\\x"_s, "x"));
                    },
                    "unsafe entry name \"xl\\..\\..\\x\""},
        RefusalCase{"two entries for one part",
                    [] {
                        return zipOf(with(oneSheetPackage(oneSheetXml("A1", "")),
                                          u"XL/Workbook.xml"_s, "x"));
                    },
                    "entry name \"XL/Workbook.xml\" occurs twice"},
        RefusalCase{"one entry over 32 MiB",
                    [] {
                        return zipOf(with(oneSheetPackage(oneSheetXml("A1", "")), u"xl/big.xml"_s,
                                          QByteArray((32 << 20) + 1, ' ')));
                    },
                    "entry \"xl/big.xml\" is larger than the allowed size"},
        RefusalCase{"entries over 64 MiB together",
                    [] {
                        QList<ZipArchive::Entry> entries = oneSheetPackage(oneSheetXml("A1", ""));
                        for (int i = 1; i <= 3; ++i) {
                            entries.append({u"xl/big%1.xml"_s.arg(i), QByteArray(22 << 20, ' ')});
                        }
                        return zipOf(entries);
                    },
                    "entry \"xl/big3.xml\" is larger than the allowed size"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) {
        return "case" + std::to_string(info.index);
    });

TEST(XlsxWorkbookOpen, FolderIsRefused) {
    TempFiles files;
    QDir().mkpath(files.path(u"folder.xlsx"_s));
    try {
        XlsxWorkbook::open(files.path(u"folder.xlsx"_s));
        ADD_FAILURE() << "opened a folder";
    } catch (const XlsxError& error) {
        EXPECT_EQ(error.reason().toStdString(), "cannot open the file (it is a folder)");
    }
}

TEST(XlsxWorkbookOpen, SheetPartThatIsNotAWorksheetIsRefusedWhenUsed) {
    TempFiles files;
    const QString path = files.writeZip(
        u"chart.xlsx"_s, oneSheetPackage(xml("<chartsheet xmlns=\"" MAIN_NS "\"/>")));
    XlsxWorkbook workbook = XlsxWorkbook::open(path);
    EXPECT_THROW(workbook.keepOnlySheet(u"Only"_s, u"Tabfill"_s), XlsxError);
    try {
        workbook.setNumber(u"A1"_s, 1);
        ADD_FAILURE() << "wrote into a chart sheet";
    } catch (const XlsxError& error) {
        EXPECT_EQ(error.reason().toStdString(),
                  "part \"xl/worksheets/sheet1.xml\" is not a worksheet");
        EXPECT_EQ(error.file().toStdString(), path.toStdString());
    }
}

TEST(XlsxWorkbookOpen, RowsOutOfOrderAreRefused) {
    TempFiles files;
    XlsxWorkbook workbook = XlsxWorkbook::open(files.writeZip(
        u"rows.xlsx"_s, oneSheetPackage(oneSheetXml("A1", "<row r=\"3\"/><row r=\"2\"/>"))));
    try {
        workbook.setNumber(u"A1"_s, 1);
        ADD_FAILURE() << "accepted rows out of order";
    } catch (const XlsxError& error) {
        EXPECT_EQ(error.reason().toStdString(),
                  "part \"xl/worksheets/sheet1.xml\" has rows out of order at row \"2\"");
    }
}

// --- Saving ----------------------------------------------------------------------------------

TEST(XlsxWorkbookSave, FailureNamesTheFile) {
    TempFiles files;
    XlsxWorkbook workbook =
        XlsxWorkbook::open(files.writeZip(u"in.xlsx"_s, oneSheetPackage(oneSheetXml("A1", ""))));

    const QString nowhere = files.path(u"missing/out.xlsx"_s);
    try {
        workbook.save(nowhere);
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const XlsxError& error) {
        EXPECT_EQ(error.file().toStdString(), nowhere.toStdString());
        EXPECT_TRUE(error.reason().startsWith(u"cannot write the file ("_s)) << error.what();
    }
    EXPECT_FALSE(QFile::exists(nowhere));
}

TEST(XlsxWorkbookSave, FailureLeavesTheOldFileWhole) {
    TempFiles files;
    XlsxWorkbook workbook =
        XlsxWorkbook::open(files.writeZip(u"in.xlsx"_s, oneSheetPackage(oneSheetXml("A1", ""))));
    // A read-only folder: the old file stays as it was and no temporary file is left.
    const QString folder = files.path(u"locked"_s);
    QDir().mkpath(folder);
    const QString target = folder + u"/out.xlsx"_s;
    files.write(u"locked/out.xlsx"_s, "old contents");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(folder).isWritable()) {
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    EXPECT_THROW(workbook.save(target), XlsxError);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old contents"));
    EXPECT_EQ(lines(QDir(folder).entryList(QDir::Files)), "out.xlsx");
}

TEST(XlsxWorkbookSave, UnchangedWorkbookKeepsEveryPartByteForByte) {
    TempFiles files;
    const QList<ZipArchive::Entry> package = threeSheetPackage();
    XlsxWorkbook workbook = XlsxWorkbook::open(files.writeZip(u"in.xlsx"_s, package));
    workbook.save(files.path(u"out.xlsx"_s));
    EXPECT_EQ(dump(readZip(files.path(u"out.xlsx"_s))), dump(package));
}

TEST(XlsxWorkbookSave, PrefixedNamespaceGetsPrefixedElements) {
    // Some producers bind the main namespace to a prefix; new elements must use it too.
    TempFiles files;
    const QByteArray sheet = xml("<x:worksheet xmlns:x=\"" MAIN_NS
                                 "\"><x:sheetData><x:row r=\"2\"/></x:sheetData>"
                                 "</x:worksheet>");
    XlsxWorkbook workbook =
        XlsxWorkbook::open(files.writeZip(u"in.xlsx"_s, oneSheetPackage(sheet)));
    workbook.setText(u"B2"_s, u"t"_s);
    workbook.setNumber(u"A3"_s, 1);
    workbook.save(files.path(u"out.xlsx"_s));
    EXPECT_EQ(
        text(partOf(readZip(files.path(u"out.xlsx"_s)), u"xl/worksheets/sheet1.xml"_s)),
        text(xml(
            "<x:worksheet xmlns:x=\"" MAIN_NS "\"><x:sheetData>"
            "<x:row r=\"2\"><x:c r=\"B2\" t=\"inlineStr\"><x:is><x:t>t</x:t></x:is></x:c></x:row>"
            "<x:row r=\"3\"><x:c r=\"A3\"><x:v>1</x:v></x:c></x:row>"
            "</x:sheetData></x:worksheet>")));
}

}  // namespace
}  // namespace veskplan
