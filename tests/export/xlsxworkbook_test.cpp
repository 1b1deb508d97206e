#include "export/xlsxworkbook.h"
#include "export/ziparchive.h"
#include "export/ziperror.h"
#include "support/externaltools.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <string>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Entries = QList<ZipArchive::Entry>;

// Shorthands for the long names in the hand-written parts below.
const std::pair<const char*, const char*> kShorthands[] = {
    {"{main}", "http://schemas.openxmlformats.org/spreadsheetml/2006/main"},
    {"{r}", "http://schemas.openxmlformats.org/officeDocument/2006/relationships"},
    {"{rt}", "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"},
    {"{pr}", "http://schemas.openxmlformats.org/package/2006/relationships"},
    {"{ct}", "http://schemas.openxmlformats.org/package/2006/content-types"},
    {"{ep}", "http://schemas.openxmlformats.org/officeDocument/2006/extended-properties"},
    {"{vt}", "http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes"},
    {"{pkg}", "application/vnd.openxmlformats-package."},
    {"{od}", "application/vnd.openxmlformats-officedocument."},
    {"{sml}", "application/vnd.openxmlformats-officedocument.spreadsheetml."},
};

// A part as stored: the declaration and CR LF, then the body with the shorthands spelled out.
QByteArray xml(const std::string& body) {
    QByteArray part = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
    part += body;
    for (const auto& [shorthand, name] : kShorthands) {
        part.replace(shorthand, name);
    }
    return part;
}

// A relationships part with one relationship for each "Id Type Target" given.
QByteArray relationships(std::initializer_list<const char*> list) {
    std::string body = R"(<Relationships xmlns="{pr}">)";
    for (const char* item : list) {
        const QList<QByteArray> f = QByteArray(item).split(' ');
        body += R"(<Relationship Id=")" + f[0] + R"(" Type="{rt})" + f[1] + R"(" Target=")" + f[2] +
                R"("/>)";
    }
    return xml(body + "</Relationships>");
}

// [Content_Types].xml: defaults for relationships, XML, printer settings and pictures, then an
// override for each "PartName ContentType" given.
QByteArray contentTypes(std::initializer_list<const char*> overrides) {
    std::string body = R"(<Types xmlns="{ct}"><Default Extension="rels" ContentType="{pkg})"
                       R"(relationships+xml"/><Default Extension="xml" ContentType="application/)"
                       R"(xml"/><Default Extension="bin" ContentType="{sml}printerSettings"/>)"
                       R"(<Default Extension="png" ContentType="image/png"/>)";
    for (const char* item : overrides) {
        const QList<QByteArray> f = QByteArray(item).split(' ');
        body += R"(<Override PartName=")" + f[0] + R"(" ContentType=")" + f[1] + R"("/>)";
    }
    return xml(body + "</Types>");
}

QString writeZip(const QString& path, const Entries& entries) {
    test::writeFile(path, ZipArchive::write(entries, ZipArchive::Compression::Deflate));
    return path;
}

Entries readZip(const QString& path) {
    return ZipArchive::read(test::readFile(path));
}

QByteArray partOf(const Entries& entries, const QString& name) {
    for (const ZipArchive::Entry& entry : entries) {
        if (entry.name == name) {
            return entry.data;
        }
    }
    ADD_FAILURE() << "no part " << name.toStdString();
    return {};
}

std::string namesOf(const Entries& entries) {
    std::string names;
    for (const ZipArchive::Entry& entry : entries) {
        names += entry.name.toStdString() + '\n';
    }
    return names;
}

// Names and contents, one entry a line: a difference shows as a line of its own.
std::string dump(const Entries& entries) {
    std::string out;
    for (const ZipArchive::Entry& entry : entries) {
        out += entry.name.toStdString() + ": " + entry.data.toStdString() + '\n';
    }
    return out;
}

// The entries with `name` holding `data`, added at the end when there is no such entry.
Entries withPart(Entries entries, const QString& name, const QByteArray& data) {
    for (ZipArchive::Entry& entry : entries) {
        if (entry.name == name) {
            entry.data = data;
            return entries;
        }
    }
    entries.append({name, data});
    return entries;
}

Entries without(Entries entries, const QString& name) {
    entries.removeIf([&](const ZipArchive::Entry& entry) { return entry.name == name; });
    return entries;
}

QByteArray zipOf(const Entries& entries) {
    return ZipArchive::write(entries, ZipArchive::Compression::Deflate);
}

using Edit = std::function<void(XlsxWorkbook&)>;

Edit number(const char* a1, double value) {
    return [=](XlsxWorkbook& workbook) { workbook.setNumber(QString::fromLatin1(a1), value); };
}

Edit string(const char* a1, const QString& value) {
    return [=](XlsxWorkbook& workbook) { workbook.setText(QString::fromLatin1(a1), value); };
}

// Opens the package, applies the edits, saves it and returns what was written.
Entries afterEditing(const Entries& package, const std::vector<Edit>& edits) {
    QTemporaryDir dir;
    XlsxWorkbook workbook = XlsxWorkbook::open(writeZip(dir.filePath(u"in.xlsx"_s), package));
    for (const Edit& edit : edits) {
        edit(workbook);
    }
    workbook.save(dir.filePath(u"out.xlsx"_s));
    return readZip(dir.filePath(u"out.xlsx"_s));
}

// The reason of the XlsxError that `f` throws, after checking that the message names `file`.
std::string refusal(const QString& file, const std::function<void()>& f) {
    try {
        f();
    } catch (const XlsxError& error) {
        EXPECT_EQ(error.file(), file);
        EXPECT_EQ(QString::fromUtf8(error.what()),
                  QDir::toNativeSeparators(file) + u": "_s + error.reason());
        return error.reason().toStdString();
    }
    ADD_FAILURE() << "no XlsxError";
    return {};
}

// --- Keeping one sheet of three --------------------------------------------------------------
//
// "Summary" (sheet1) and "Notes" (sheet3) go, "Main Table" (sheet2, the middle one, hidden) is
// kept as "Tabfill". Sheet1 and sheet2 each have a drawing showing the same picture, and
// printer settings of their own; the workbook has a theme, a calculation chain, and a part
// nothing refers to.

const QByteArray kPackageRels = relationships(
    {"rId1 officeDocument xl/workbook.xml", "rId2 extended-properties docProps/app.xml"});

const QByteArray kApp = xml(
    R"(<Properties xmlns="{ep}" xmlns:vt="{vt}"><Application>Test</Application>)"
    R"(<HeadingPairs><vt:vector size="4" baseType="variant">)"
    R"(<vt:variant><vt:lpstr>Worksheets</vt:lpstr></vt:variant>)"
    R"(<vt:variant><vt:i4>3</vt:i4></vt:variant>)"
    R"(<vt:variant><vt:lpstr>Named Ranges</vt:lpstr></vt:variant>)"
    R"(<vt:variant><vt:i4>5</vt:i4></vt:variant></vt:vector></HeadingPairs>)"
    R"(<TitlesOfParts><vt:vector size="8" baseType="lpstr">)"
    R"(<vt:lpstr>Summary</vt:lpstr><vt:lpstr>Main Table</vt:lpstr><vt:lpstr>Notes</vt:lpstr>)"
    R"(<vt:lpstr>'Main Table'!Print_Area</vt:lpstr><vt:lpstr>'Main Table'!Print_Titles</vt:lpstr>)"
    R"(<vt:lpstr>Summary!Print_Area</vt:lpstr><vt:lpstr>Lookup</vt:lpstr>)"
    R"(<vt:lpstr>Notes!Rate</vt:lpstr></vt:vector></TitlesOfParts></Properties>)");

// Both kept and removed sheets use the shared strings; the kept sheet uses index 1 only.
const QByteArray kSharedStrings = xml(R"(<sst xmlns="{main}" count="3" uniqueCount="2">)"
                                      R"(<si><t>Title</t></si><si><t>LINE</t></si></sst>)");

// The middle sheet with its view and its formula cell J13 as given.
QByteArray sheet2(const std::string& view, const std::string& j13) {
    return xml(
        R"(<worksheet xmlns="{main}" xmlns:r="{r}"><dimension ref="A1:J13"/><sheetViews>)" + view +
        R"(<sheetFormatPr defaultRowHeight="15"/>)"
        R"(<cols><col min="1" max="1" width="6.5" customWidth="1"/>)"
        R"(<col min="5" max="10" width="12" style="3" customWidth="1"/></cols>)"
        R"(<sheetData><row r="1"><c r="A1" s="1" t="s"><v>0</v></c></row>)"
        R"(<row r="13"><c r="A13" t="s"><v>1</v></c><c r="J13">)" +
        j13 +
        R"(</c></row></sheetData><mergeCells count="1"><mergeCell ref="A1:J1"/></mergeCells>)"
        R"(<pageMargins left="0.5" right="0.5" top="0.75" bottom="0.75" header="0.3" footer="0.3"/>)"
        R"(<pageSetup orientation="landscape" r:id="rId1"/><drawing r:id="rId2"/></worksheet>)");
}

const QByteArray kSheet2Rels =
    relationships({"rId1 printerSettings ../printerSettings/printerSettings2.bin",
                   "rId2 drawing ../drawings/drawing1.xml"});
const QByteArray kDrawingRels = relationships({"rId1 image ../media/image1.png"});
const QByteArray kDrawing = xml(
    R"(<xdr:wsDr xmlns:xdr="http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing"/>)");
const QByteArray kTheme = xml(
    R"(<a:theme xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" name="Plain"/>)");
const QByteArray kStyles = xml(R"(<styleSheet xmlns="{main}"/>)");
const QByteArray kPrinter2("\x02\x00two", 5);
const QByteArray kPng("\x89PNG\r\n\x1a\n", 8);

Entries threeSheetPackage() {
    return {
        {u"[Content_Types].xml"_s,
         contentTypes(
             {"/xl/workbook.xml {sml}sheet.main+xml",
              "/xl/worksheets/sheet1.xml {sml}worksheet+xml",
              "/xl/worksheets/sheet2.xml {sml}worksheet+xml",
              "/xl/worksheets/sheet3.xml {sml}worksheet+xml", "/xl/theme/theme1.xml {od}theme+xml",
              "/xl/styles.xml {sml}styles+xml", "/xl/sharedStrings.xml {sml}sharedStrings+xml",
              "/xl/calcChain.xml {sml}calcChain+xml", "/xl/drawings/drawing1.xml {od}drawing+xml",
              "/xl/drawings/drawing2.xml {od}drawing+xml", "/xl/unused.xml application/xml",
              "/docProps/app.xml {od}extended-properties+xml"})},
        {u"_rels/.rels"_s, kPackageRels},
        {u"docProps/app.xml"_s, kApp},
        {u"xl/workbook.xml"_s,
         xml(R"(<workbook xmlns="{main}" xmlns:r="{r}"><workbookPr/>)"
             R"(<bookViews><workbookView activeTab="2" firstSheet="1"/></bookViews><sheets>)"
             R"(<sheet name="Summary" sheetId="1" r:id="rId1"/>)"
             R"(<sheet name="Main Table" sheetId="2" state="hidden" r:id="rId2"/>)"
             R"(<sheet name="Notes" sheetId="5" r:id="rId3"/></sheets><definedNames>)"
             R"(<definedName name="_xlnm.Print_Area" localSheetId="0">Summary!$A$1:$C$9</definedName>)"
             R"(<definedName name="_xlnm.Print_Area" localSheetId="1">'Main Table'!$A$1:$J$14</definedName>)"
             R"(<definedName name="_xlnm.Print_Titles" localSheetId="1">'Main Table'!$13:$14</definedName>)"
             R"(<definedName name="Rate" localSheetId="2">Notes!$B$2</definedName>)"
             R"(<definedName name="Total">'main table'!$J$15</definedName>)"
             R"(<definedName name="Lookup">Summary!$A$1:$B$5</definedName>)"
             R"(<definedName name="Label">"Summary!A1 stays"</definedName>)"
             R"(</definedNames><calcPr calcId="191029"/></workbook>)")},
        {u"xl/_rels/workbook.xml.rels"_s,
         relationships({"rId1 worksheet worksheets/sheet1.xml",
                        "rId2 worksheet worksheets/sheet2.xml",
                        "rId3 worksheet /xl/worksheets/sheet3.xml", "rId4 theme theme/theme1.xml",
                        "rId5 styles styles.xml", "rId6 sharedStrings sharedStrings.xml",
                        "rId7 calcChain calcChain.xml"})},
        {u"xl/worksheets/sheet1.xml"_s,
         xml(R"(<worksheet xmlns="{main}" xmlns:r="{r}"><sheetData><row r="1">)"
             R"(<c r="A1" t="s"><v>0</v></c><c r="B1"><v>2</v></c></row></sheetData>)"
             R"(<pageSetup r:id="rId1"/><drawing r:id="rId2"/></worksheet>)")},
        {u"xl/worksheets/sheet2.xml"_s,
         sheet2(R"(<sheetView workbookViewId="0"/></sheetViews>)",
                R"(<f>SUM(Summary!B1,'Main Table'!E15)</f><v>2</v>)")},
        {u"xl/worksheets/sheet3.xml"_s,
         xml(R"(<worksheet xmlns="{main}"><sheetData/></worksheet>)")},
        {u"xl/worksheets/_rels/sheet1.xml.rels"_s,
         relationships({"rId1 printerSettings ../printerSettings/printerSettings1.bin",
                        "rId2 drawing ../drawings/drawing2.xml"})},
        {u"xl/worksheets/_rels/sheet2.xml.rels"_s, kSheet2Rels},
        {u"xl/printerSettings/printerSettings1.bin"_s, QByteArray("\x01\x00one", 5)},
        {u"xl/printerSettings/printerSettings2.bin"_s, kPrinter2},
        {u"xl/drawings/drawing1.xml"_s, kDrawing},
        {u"xl/drawings/drawing2.xml"_s, kDrawing},
        {u"xl/drawings/_rels/drawing1.xml.rels"_s, kDrawingRels},
        {u"xl/drawings/_rels/drawing2.xml.rels"_s, kDrawingRels},
        {u"xl/media/image1.png"_s, kPng},
        {u"xl/theme/theme1.xml"_s, kTheme},
        {u"xl/styles.xml"_s, kStyles},
        {u"xl/sharedStrings.xml"_s, kSharedStrings},
        {u"xl/calcChain.xml"_s, xml(R"(<calcChain xmlns="{main}"><c r="B1" i="1"/></calcChain>)")},
        {u"xl/unused.xml"_s, xml("<unused/>")},
    };
}

TEST(XlsxWorkbookKeep, LeavesExactlyTheKeptSheetAndWhatItNeeds) {
    // Gone: the other sheets with their relationships, printer settings and drawing, the
    // calculation chain and the part nothing referred to; the picture stays, the kept sheet's
    // drawing shows it too. Unchanged parts are copied byte for byte. The kept names are scoped
    // to sheet 0 and follow the new name, the removed sheets' names are gone, a workbook name
    // that pointed at a removed sheet reads #REF!, text that only looks like a reference stays;
    // formulas recalculate on load, the sheet is the selected tab.
    const Entries out =
        afterEditing(threeSheetPackage(), {[](XlsxWorkbook& workbook) {
                         workbook.keepOnlySheet(u"Main Table"_s, u"Tabfill"_s);
                         EXPECT_EQ(workbook.sheetNames(), QStringList{u"Tabfill"_s});
                     }});
    const Entries expected = {
        {u"[Content_Types].xml"_s,
         contentTypes({"/xl/workbook.xml {sml}sheet.main+xml",
                       "/xl/worksheets/sheet2.xml {sml}worksheet+xml",
                       "/xl/theme/theme1.xml {od}theme+xml", "/xl/styles.xml {sml}styles+xml",
                       "/xl/sharedStrings.xml {sml}sharedStrings+xml",
                       "/xl/drawings/drawing1.xml {od}drawing+xml",
                       "/docProps/app.xml {od}extended-properties+xml"})},
        {u"_rels/.rels"_s, kPackageRels},
        {u"docProps/app.xml"_s,
         xml(R"(<Properties xmlns="{ep}" xmlns:vt="{vt}"><Application>Test</Application>)"
             R"(<HeadingPairs><vt:vector size="4" baseType="variant">)"
             R"(<vt:variant><vt:lpstr>Worksheets</vt:lpstr></vt:variant>)"
             R"(<vt:variant><vt:i4>1</vt:i4></vt:variant>)"
             R"(<vt:variant><vt:lpstr>Named Ranges</vt:lpstr></vt:variant>)"
             R"(<vt:variant><vt:i4>3</vt:i4></vt:variant></vt:vector></HeadingPairs>)"
             R"(<TitlesOfParts><vt:vector size="4" baseType="lpstr"><vt:lpstr>Tabfill</vt:lpstr>)"
             R"(<vt:lpstr>Tabfill!Print_Area</vt:lpstr><vt:lpstr>Tabfill!Print_Titles</vt:lpstr>)"
             R"(<vt:lpstr>Lookup</vt:lpstr></vt:vector></TitlesOfParts></Properties>)")},
        {u"xl/workbook.xml"_s,
         xml(R"(<workbook xmlns="{main}" xmlns:r="{r}"><workbookPr/>)"
             R"(<bookViews><workbookView/></bookViews>)"
             R"(<sheets><sheet name="Tabfill" sheetId="2" r:id="rId2"/></sheets><definedNames>)"
             R"(<definedName name="_xlnm.Print_Area" localSheetId="0">Tabfill!$A$1:$J$14</definedName>)"
             R"(<definedName name="_xlnm.Print_Titles" localSheetId="0">Tabfill!$13:$14</definedName>)"
             R"(<definedName name="Total">Tabfill!$J$15</definedName>)"
             R"(<definedName name="Lookup">#REF!$A$1:$B$5</definedName>)"
             R"(<definedName name="Label">"Summary!A1 stays"</definedName>)"
             R"(</definedNames><calcPr calcId="191029" fullCalcOnLoad="1"/></workbook>)")},
        {u"xl/_rels/workbook.xml.rels"_s,
         relationships({"rId2 worksheet worksheets/sheet2.xml", "rId4 theme theme/theme1.xml",
                        "rId5 styles styles.xml", "rId6 sharedStrings sharedStrings.xml"})},
        {u"xl/worksheets/sheet2.xml"_s,
         sheet2(R"(<sheetView workbookViewId="0" tabSelected="1"/></sheetViews>)",
                R"(<f>SUM(#REF!B1,Tabfill!E15)</f>)")},
        {u"xl/worksheets/_rels/sheet2.xml.rels"_s, kSheet2Rels},
        {u"xl/printerSettings/printerSettings2.bin"_s, kPrinter2},
        {u"xl/drawings/drawing1.xml"_s, kDrawing},
        {u"xl/drawings/_rels/drawing1.xml.rels"_s, kDrawingRels},
        {u"xl/media/image1.png"_s, kPng},
        {u"xl/theme/theme1.xml"_s, kTheme},
        {u"xl/styles.xml"_s, kStyles},
        {u"xl/sharedStrings.xml"_s, kSharedStrings},
    };
    EXPECT_EQ(dump(out), dump(expected));
}

TEST(XlsxWorkbookKeep, RefusalLeavesTheWorkbookAsItWasAndNamesMatchIgnoringCase) {
    QTemporaryDir dir;
    const QString seed = writeZip(dir.filePath(u"seed.xlsx"_s), threeSheetPackage());
    XlsxWorkbook workbook = XlsxWorkbook::open(seed);
    const struct {
        QString sheet;
        QString newName;
        std::string reason;
    } cases[] = {
        {u"Absent"_s, u"Tabfill"_s, "the workbook has no sheet named \"Absent\""},
        {u"Notes"_s, u"Tab:fill"_s, "\"Tab:fill\" is not a valid sheet name"},
        {u"Notes"_s, u"A name longer than thirty-one ch"_s,
         "\"A name longer than thirty-one ch\" is not a valid sheet name"},
        {u"Notes"_s, QString(), "\"\" is not a valid sheet name"},
        {u"Notes"_s, u"'quoted'"_s, "\"'quoted'\" is not a valid sheet name"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(refusal(seed, [&] { workbook.keepOnlySheet(c.sheet, c.newName); }), c.reason);
    }
    EXPECT_EQ(workbook.sheetNames().join(u'|'), u"Summary|Main Table|Notes"_s);
    workbook.save(dir.filePath(u"same.xlsx"_s));
    EXPECT_EQ(dump(readZip(dir.filePath(u"same.xlsx"_s))), dump(threeSheetPackage()));

    // Without an exact match the name is matched ignoring case.
    workbook.keepOnlySheet(u"notes"_s, u"Tabfill"_s);
    workbook.save(dir.filePath(u"out.xlsx"_s));
    const QByteArray book = partOf(readZip(dir.filePath(u"out.xlsx"_s)), u"xl/workbook.xml"_s);
    EXPECT_TRUE(book.contains(R"(<sheets><sheet name="Tabfill" sheetId="5" r:id="rId3"/></sheets>)"
                              R"(<definedNames><definedName name="Rate" localSheetId="0">)"
                              R"(Tabfill!$B$2</definedName><definedName name="Total">#REF!$J$15)"))
        << book.toStdString();
}

// --- Setting cells ---------------------------------------------------------------------------

// A sheet whose columns E and F carry style 7.
QByteArray sheetXml(const std::string& dimension, const std::string& sheetData) {
    return xml(R"(<worksheet xmlns="{main}"><dimension ref=")" + dimension +
               R"("/><cols><col min="5" max="6" width="12" style="7" customWidth="1"/></cols>)"
               R"(<sheetData>)" +
               sheetData + "</sheetData></worksheet>");
}

// The workbook part of oneSheetPackage, up to where calcPr belongs.
const std::string kOneSheetBook =
    R"(<workbook xmlns="{main}" xmlns:r="{r}"><sheets><sheet name="Only" sheetId="1" r:id="rId1"/>)"
    R"(</sheets><definedNames><definedName name="x">1</definedName></definedNames>)";

Entries oneSheetPackage(const QByteArray& sheet) {
    return {
        {u"[Content_Types].xml"_s, contentTypes({"/xl/workbook.xml {sml}sheet.main+xml",
                                                 "/xl/worksheets/sheet1.xml {sml}worksheet+xml"})},
        {u"_rels/.rels"_s, kPackageRels},
        {u"xl/workbook.xml"_s, xml(kOneSheetBook + "<pivotCaches/></workbook>")},
        {u"xl/_rels/workbook.xml.rels"_s, relationships({"rId1 worksheet worksheets/sheet1.xml"})},
        {u"xl/worksheets/sheet1.xml"_s, sheet},
    };
}

// Row 2 holds a shared string (style 4) and a formula (style 5); row 5 is formatted as a whole
// (style 6).
const std::string kRow2 = R"(<row r="2" spans="2:3"><c r="B2" s="4" t="s"><v>0</v></c>)"
                          R"(<c r="C2" s="5"><f>A1*2</f><v>8</v></c></row>)";
const std::string kRow5 = R"(<row r="5" s="6" customFormat="1"><c r="A5" s="8"><v>1</v></c></row>)";

TEST(XlsxWorkbookCells, WritesRowsAndCellsInOrderKeepingStyles) {
    const struct {
        const char* what;
        QByteArray before;
        std::vector<Edit> edits;
        QByteArray after;
    } cases[] = {
        {"a number replaces a formula, text a shared string, empty text blanks a cell, styles "
         "kept; new cells before and after",
         sheetXml("A2:C5", kRow2 + kRow5),
         {number("C2", 4.5), string("B2", u"Hi & <bye>"_s), number("D2", 3), number("A2", 1),
          string("A5", QString())},
         sheetXml("A2:D5", R"(<row r="2" spans="1:4"><c r="A2"><v>1</v></c><c r="B2" s="4" )"
                           R"(t="inlineStr"><is><t>Hi &amp; &lt;bye&gt;</t></is></c>)"
                           R"(<c r="C2" s="5"><v>4.5</v></c><c r="D2"><v>3</v></c></row>)"
                           R"(<row r="5" s="6" customFormat="1"><c r="A5" s="8"/></row>)")},
        {"new rows first, between and last; row and column styles",
         sheetXml("A2:C5", kRow2 + kRow5),
         {number("F9", 2), number("E3", 1), string("A1", u"x"_s), number("B5", 7)},
         sheetXml(
             "A1:F9",
             R"(<row r="1"><c r="A1" t="inlineStr"><is><t>x</t></is></c></row>)"
             R"(<row r="2" spans="2:3"><c r="B2" s="4" t="s"><v>0</v></c>)"
             R"(<c r="C2" s="5"><f>A1*2</f></c></row><row r="3"><c r="E3" s="7"><v>1</v></c>)"
             R"(</row><row r="5" s="6" customFormat="1"><c r="A5" s="8"><v>1</v></c>)"
             R"(<c r="B5" s="6"><v>7</v></c></row><row r="9"><c r="F9" s="7"><v>2</v></c></row>)")},
        {"numbers in shortest round-trip form; text with edge blanks, a control character and "
         "an escape look-alike",
         sheetXml("A1", ""),
         {number("A1", 0.1 + 0.2), number("B1", 1e21), number("C1", -0.0),
          number("D1", 123456789012.0), number("E1", -2.5e-7), number("F1", 1.0 / 3),
          string("a2", u" a\tb"_s + QChar(1) + u"_x0041_ "_s)},
         sheetXml("A1:F2",
                  R"(<row r="1"><c r="A1"><v>0.30000000000000004</v></c><c r="B1"><v>1e+21</v></c>)"
                  R"(<c r="C1"><v>0</v></c><c r="D1"><v>123456789012</v></c>)"
                  R"(<c r="E1" s="7"><v>-2.5e-07</v></c><c r="F1" s="7"><v>0.3333333333333333</v>)"
                  R"(</c></row><row r="2"><c r="A2" t="inlineStr"><is><t xml:space="preserve"> a)"
                  "\tb"
                  R"(_x0001__x005F_x0041_ </t></is></c></row>)")},
        {"overwriting a shared formula's master gives the others their own (A, B); overwriting "
         "a follower takes it out of its group (D)",
         sheetXml("A1:D3",
                  R"(<row r="1"><c r="A1"><f t="shared" ref="A1:B3" si="0">C1*$D$1+SUM(C$1:C1)</f>)"
                  R"(<v>2</v></c><c r="B1"><f t="shared" si="0"/><v>3</v></c>)"
                  R"(<c r="D1"><f t="shared" ref="D1:D2" si="2">B1</f><v>3</v></c></row>)"
                  R"(<row r="2"><c r="A2"><f t="shared" si="0"/><v>4</v></c>)"
                  R"(<c r="B2"><f t="shared" si="1" ref="B2:B3">1</f><v>1</v></c>)"
                  R"(<c r="D2"><f t="shared" si="2"/><v>1</v></c></row>)"
                  R"(<row r="3"><c r="B3"><f t="shared" si="0"/><v>6</v></c></row>)"),
         {number("A1", 5), string("D2", u"t"_s)},
         sheetXml("A1:D3",
                  R"(<row r="1"><c r="A1"><v>5</v></c><c r="B1"><f>D1*$D$1+SUM(D$1:D1)</f></c>)"
                  R"(<c r="D1"><f t="shared" ref="D1:D2" si="2">B1</f></c></row>)"
                  R"(<row r="2"><c r="A2"><f>C2*$D$1+SUM(C$1:C2)</f></c>)"
                  R"(<c r="B2"><f t="shared" si="1" ref="B2:B3">1</f></c>)"
                  R"(<c r="D2" t="inlineStr"><is><t>t</t></is></c></row>)"
                  R"(<row r="3"><c r="B3"><f>D3*$D$1+SUM(D$1:D3)</f></c></row>)")},
        {"rows and cells without numbers are numbered; value metadata and the old type go with "
         "the old value",
         sheetXml("A1",
                  R"(<row><c><v>1</v></c><c><v>2</v></c></row><row r="3">)"
                  R"(<c r="c3" s="2" t="e" cm="1" vm="1"><f>X</f><v>#N/A</v></c></row><row/>)"),
         {number("C1", 3), number("C3", 1)},
         sheetXml("A1:C3",
                  R"(<row r="1"><c r="A1"><v>1</v></c><c r="B1"><v>2</v></c><c r="C1"><v>3</v></c>)"
                  R"(</row><row r="3"><c r="C3" s="2"><v>1</v></c></row><row r="4"/>)")},
        {"a namespace bound to a prefix: new elements use it too",
         xml(R"(<x:worksheet xmlns:x="{main}"><x:sheetData><x:row r="2"/></x:sheetData></x:worksheet>)"),
         {string("B2", u"t"_s), number("A3", 1)},
         xml(R"(<x:worksheet xmlns:x="{main}"><x:sheetData><x:row r="2">)"
             R"(<x:c r="B2" t="inlineStr"><x:is><x:t>t</x:t></x:is></x:c></x:row>)"
             R"(<x:row r="3"><x:c r="A3"><x:v>1</x:v></x:c></x:row></x:sheetData></x:worksheet>)")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Entries out = afterEditing(oneSheetPackage(c.before), c.edits);
        EXPECT_TRUE(test::sameBytes(c.after, partOf(out, u"xl/worksheets/sheet1.xml"_s)));
        // Formula results may have changed: recalculated on load. calcPr goes after
        // definedNames and before pivotCaches, where the schema wants it.
        EXPECT_TRUE(test::sameBytes(
            xml(kOneSheetBook + R"(<calcPr fullCalcOnLoad="1"/><pivotCaches/></workbook>)"),
            partOf(out, u"xl/workbook.xml"_s)));
    }
}

TEST(XlsxWorkbookCells, ArrayFormulaCellsAreRefusedExceptTheMaster) {
    QTemporaryDir dir;
    const QString path = writeZip(
        dir.filePath(u"in.xlsx"_s),
        oneSheetPackage(sheetXml(
            "A1:A2", R"(<row r="1"><c r="A1"><f t="array" ref="A1:A2">B1:B2*2</f><v>2</v></c>)"
                     R"(</row><row r="2"><c r="A2"><v>4</v></c></row>)")));
    XlsxWorkbook workbook = XlsxWorkbook::open(path);
    EXPECT_EQ(refusal(path, [&] { workbook.setNumber(u"A2"_s, 1); }),
              "cell A2 is part of the array formula in A1");
    workbook.setNumber(u"A1"_s, 1);
    workbook.setNumber(u"A2"_s, 3);  // the array is gone with its master
    workbook.save(dir.filePath(u"out.xlsx"_s));
    EXPECT_TRUE(test::sameBytes(
        sheetXml("A1:A2", R"(<row r="1"><c r="A1"><v>1</v></c></row>)"
                          R"(<row r="2"><c r="A2"><v>3</v></c></row>)"),
        partOf(readZip(dir.filePath(u"out.xlsx"_s)), u"xl/worksheets/sheet1.xml"_s)));
}

TEST(XlsxWorkbookCells, UnstorableValuesAreRefused) {
    QTemporaryDir dir;
    const QString path = writeZip(dir.filePath(u"in.xlsx"_s), oneSheetPackage(sheetXml("A1", "")));
    XlsxWorkbook workbook = XlsxWorkbook::open(path);
    const std::pair<Edit, std::string> cases[] = {
        {number("XFE1", 1), "\"XFE1\" is not a cell address"},
        {number("A1", std::numeric_limits<double>::quiet_NaN()),
         "cell A1 cannot hold the value nan"},
        {number("A1", -std::numeric_limits<double>::infinity()),
         "cell A1 cannot hold the value -inf"},
        {string("A1", QString(32768, u'x')), "text for cell A1 is longer than 32767 characters"},
    };
    for (const auto& [edit, reason] : cases) {
        EXPECT_EQ(refusal(path, [&] { edit(workbook); }), reason);
    }
    workbook.setText(u"XFD1048576"_s, QString(32767, u'y'));  // the largest that fit
}

// --- Refusing files --------------------------------------------------------------------------

TEST(XlsxWorkbookOpen, RefusesWhatIsNoSafeWorkbookNamingTheFile) {
    const Entries good = oneSheetPackage(sheetXml("A1", ""));
    const auto bigger = [&] {
        Entries entries = good;
        for (int i = 1; i <= 3; ++i) {
            entries.append({u"xl/big%1.xml"_s.arg(i), QByteArray(22 << 20, ' ')});
        }
        return zipOf(entries);
    };
    const QString book = u"xl/workbook.xml"_s;
    const struct {
        std::optional<QByteArray> bytes;  // none: no file at all
        std::string reason;               // the start of the reason
    } cases[] = {
        {std::nullopt, "cannot open the file ("},
        {QByteArray(), "not a zip archive"},
        {zipOf(good).first(200), "not a zip archive"},
        {zipOf({{u"notes.txt"_s, "hello"}}), "not a workbook: [Content_Types].xml is missing"},
        {zipOf(without(good, u"_rels/.rels"_s)), "not a workbook: _rels/.rels is missing"},
        {zipOf(without(good, book)), "not a workbook: the workbook part is missing"},
        {zipOf(withPart(good, book, xml(R"(<w:document xmlns:w="urn:x"/>)"))),
         "not a workbook: the main part is a \"w:document\""},
        {zipOf(withPart(good, book, xml("<workbook><sheets></workbook>"))),
         "part \"xl/workbook.xml\" is not well-formed XML ("},
        {zipOf(withPart(good, book,
                        xml(R"(<!DOCTYPE workbook [<!ENTITY a "aaaaaaaaaa">)"
                            R"(<!ENTITY b "&a;&a;&a;&a;&a;&a;">]><workbook xmlns="{main}">)"
                            R"(<sheets/><definedNames><definedName name="x">&b;</definedName>)"
                            R"(</definedNames></workbook>)"))),
         "part \"xl/workbook.xml\" has a document type declaration"},
        {zipOf(withPart(good, u"xl/../../evil.sh"_s, "x")),
         "unsafe entry name \"xl/../../evil.sh\""},
        {zipOf(withPart(good, u"XL/Workbook.xml"_s, "x")),
         "entry name \"XL/Workbook.xml\" occurs twice"},
        {zipOf(withPart(good, u"xl/big.xml"_s, QByteArray((32 << 20) + 1, ' '))),
         "entry \"xl/big.xml\" is larger than the allowed size"},
        {bigger(), "entry \"xl/big3.xml\" is larger than the allowed size"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(u"bad.xlsx"_s);
    for (const auto& c : cases) {
        QFile::remove(path);
        if (c.bytes) {
            test::writeFile(path, *c.bytes);
        }
        EXPECT_EQ(refusal(path, [&] { XlsxWorkbook::open(path); }).substr(0, c.reason.size()),
                  c.reason);
    }
    QFile::remove(path);
    QDir().mkpath(path);
    EXPECT_EQ(refusal(path, [&] { XlsxWorkbook::open(path); }),
              "cannot open the file (it is a folder)");
}

TEST(XlsxWorkbookOpen, SheetsThatAreNoWorksheetOrOutOfOrderAreRefusedWhenUsed) {
    QTemporaryDir dir;
    const QString chart = writeZip(dir.filePath(u"chart.xlsx"_s),
                                   oneSheetPackage(xml(R"(<chartsheet xmlns="{main}"/>)")));
    XlsxWorkbook chartBook = XlsxWorkbook::open(chart);
    EXPECT_EQ(refusal(chart, [&] { chartBook.keepOnlySheet(u"Only"_s, u"Tabfill"_s); }),
              "part \"xl/worksheets/sheet1.xml\" is not a worksheet");
    EXPECT_EQ(refusal(chart, [&] { chartBook.setNumber(u"A1"_s, 1); }),
              "part \"xl/worksheets/sheet1.xml\" is not a worksheet");
    const QString rows = writeZip(dir.filePath(u"rows.xlsx"_s),
                                  oneSheetPackage(sheetXml("A1", R"(<row r="3"/><row r="2"/>)")));
    XlsxWorkbook rowsBook = XlsxWorkbook::open(rows);
    EXPECT_EQ(refusal(rows, [&] { rowsBook.setNumber(u"A1"_s, 1); }),
              "part \"xl/worksheets/sheet1.xml\" has rows out of order at row \"2\"");
}

TEST(XlsxWorkbookSave, FailureNamesTheFile) {
    QTemporaryDir dir;
    XlsxWorkbook workbook = XlsxWorkbook::open(
        writeZip(dir.filePath(u"in.xlsx"_s), oneSheetPackage(sheetXml("A1", ""))));
    const QString nowhere = dir.filePath(u"missing/out.xlsx"_s);
    EXPECT_EQ(refusal(nowhere, [&] { workbook.save(nowhere); }).substr(0, 23),
              "cannot write the file (");
    EXPECT_FALSE(QFile::exists(nowhere));
}

TEST(XlsxWorkbookSave, FailureLeavesTheOldFileWhole) {
    // A read-only folder: the old file stays as it was and no temporary file is left.
    QTemporaryDir dir;
    XlsxWorkbook workbook = XlsxWorkbook::open(
        writeZip(dir.filePath(u"in.xlsx"_s), oneSheetPackage(sheetXml("A1", ""))));
    const QString old = dir.filePath(u"locked/out.xlsx"_s);
    test::writeFile(old, "old contents");
    QFile::setPermissions(dir.filePath(u"locked"_s), QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(dir.filePath(u"locked"_s)).isWritable()) {
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    EXPECT_THROW(workbook.save(old), XlsxError);
    QFile::setPermissions(dir.filePath(u"locked"_s),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(test::readFile(old), QByteArray("old contents"));
    EXPECT_EQ(QDir(dir.filePath(u"locked"_s)).entryList(QDir::Files), QStringList{u"out.xlsx"_s});
}

// --- The zip layer -------------------------------------------------------------------------

QByteArray le16(quint16 value) {
    return QByteArray(1, char(value & 0xff)) + char(value >> 8);
}

QByteArray le32(quint32 value) {
    return le16(quint16(value & 0xffff)) + le16(quint16(value >> 16));
}

// The reason of the ZipError that reading `bytes` throws; empty when it is read.
std::string readError(const QByteArray& bytes, const ZipArchive::Limits& limits = {}) {
    try {
        ZipArchive::read(bytes, limits);
    } catch (const ZipError& error) {
        return error.what();
    }
    return {};
}

TEST(XlsxZip, StoredArchiveHasFixedHeaders) {
    // One entry "a.txt" holding "hi"; CRC-32 of "hi" is 0xd8932aac. The time is the fixed
    // 1980-01-01 00:00 (DOS date 0x0021, time 0), so equal input gives equal bytes.
    const QByteArray crc = le32(0xd8932aac);
    const QByteArray local = "PK\x03\x04" + le16(10) /* needs 1.0 */ + le16(0) /* flags */ +
                             le16(0) /* stored */ + le16(0) + le16(0x0021) + crc + le32(2) +
                             le32(2) + le16(5) + le16(0) + "a.txt" + "hi";
    const QByteArray central =
        "PK\x01\x02" + le16(0x033f) /* made on Unix by 6.3 */ + le16(10) + le16(0) + le16(0) +
        le16(0) + le16(0x0021) + crc + le32(2) + le32(2) + le16(5) + le16(0) + le16(0) + le16(0) +
        le16(0) + le32(0100666u << 16) /* rw-rw-rw- */ + le32(0) /* offset of local */ + "a.txt";
    const QByteArray end = "PK\x05\x06" + le16(0) + le16(0) + le16(1) + le16(1) +
                           le32(quint32(central.size())) + le32(quint32(local.size())) + le16(0);
    const QByteArray expected = local + central + end;
    ASSERT_EQ(expected.size(), 37 + 51 + 22);
    EXPECT_EQ(ZipArchive::write({{u"a.txt"_s, "hi"}}, ZipArchive::Compression::Store)
                  .toHex(' ')
                  .toStdString(),
              expected.toHex(' ').toStdString());
}

TEST(XlsxZip, ReadsBackWhatItWrote) {
    QByteArray large;
    for (int i = 0; i < 20000; ++i) {
        large += "<row r=\"" + QByteArray::number(i) + "\"/>";
    }
    const Entries entries = {
        {u"[Content_Types].xml"_s, "<Types/>"},
        {u"xl/m\u00e9dia/\u00fcber.xml"_s, "\xc3\xa9"},
        {u"empty.bin"_s, QByteArray()},
        {u"xl/big.xml"_s, large},
    };
    for (const auto compression :
         {ZipArchive::Compression::Store, ZipArchive::Compression::Deflate}) {
        const QByteArray bytes = ZipArchive::write(entries, compression);
        EXPECT_EQ(dump(ZipArchive::read(bytes)), dump(entries));
        if (compression == ZipArchive::Compression::Deflate) {
            EXPECT_LT(bytes.size(), large.size() / 4);
        }
    }
}

TEST(XlsxZip, LimitsAndDamageAreReported) {
    const QByteArray bytes = ZipArchive::write(
        {{u"a"_s, QByteArray(10, 'a')}, {u"b"_s, QByteArray(6, 'b')}, {u"c"_s, "c"}},
        ZipArchive::Compression::Deflate);
    EXPECT_EQ(ZipArchive::read(bytes, {10, 17, 3}).size(), 3);  // exactly at every limit
    EXPECT_EQ(readError(bytes, {9, 100, 3}), "entry \"a\" is larger than the allowed size");
    EXPECT_EQ(readError(bytes, {10, 15, 3}), "entry \"b\" is larger than the allowed size");
    EXPECT_EQ(readError(bytes, {10, 100, 2}), "the archive holds more than 2 entries");

    QByteArray damaged = ZipArchive::write({{u"a.txt"_s, "hello"}}, ZipArchive::Compression::Store);
    damaged[30 + 5] = 'j';  // first byte of the stored data: the CRC no longer matches
    EXPECT_EQ(readError(damaged).rfind("cannot read entry \"a.txt\" (", 0), 0u)
        << readError(damaged);
}

TEST(XlsxZip, EntryNamesThatCouldEscapeAreUnsafe) {
    // "xl/worksheets/" is a folder entry.
    for (const QString& name :
         {u"xl/workbook.xml"_s, u"[Content_Types].xml"_s, u"xl/worksheets/"_s, u"a..b/c"_s}) {
        EXPECT_TRUE(ZipArchive::isSafeEntryName(name)) << name.toStdString();
    }
    for (const QString& name :
         {u"../x"_s, u"xl/../../x"_s, u"xl/.."_s, u".."_s, u"./x"_s, u"/x"_s, u"\\x"_s,
          u"xl\\x.xml"_s, u"C:x"_s, u"c:/x"_s, u"xl//x"_s, QString(), u"x"_s + QChar(0) + u"y"_s}) {
        EXPECT_FALSE(ZipArchive::isSafeEntryName(name)) << name.toStdString();
    }
}

// --- The bundled seed workbook ---------------------------------------------------------------

const QString kSeed = QStringLiteral(VESKPLAN_SOURCE_DIR "/data/seed100-01.xlsx");

TEST(XlsxSeed, CommittedFileIsTheGeneratorsOutput) {
    const QString generator = QStringLiteral(VESKPLAN_BIN_DIR "/veskplan-seedworkbook");
    ASSERT_TRUE(QFile::exists(generator)) << "build the target veskplan-seedworkbook first";
    QTemporaryDir dir;
    QProcess process;
    process.start(generator, {dir.filePath(u"seed.xlsx"_s)});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(test::readFile(dir.filePath(u"seed.xlsx"_s)) == test::readFile(kSeed))
        << "data/seed100-01.xlsx is stale: run veskplan-seedworkbook data/seed100-01.xlsx";
}

// Sheet e100-01b: title and units merged across A:G, PROJECT/SHEET fields merged B:D, item
// count formula in B6, headings in rows 13-14 (CATEGORY over CAT 1 and CAT 2, TOTAL in G),
// quantity columns E:G formatted 0.000 through their column style, item rows frozen below.
const char kTwoCategorySheet[] =
    R"(<worksheet xmlns="{main}" xmlns:r="{r}"><sheetPr><pageSetUpPr fitToPage="1"/></sheetPr>)"
    R"(<dimension ref="A1:G14"/><sheetViews><sheetView workbookViewId="0">)"
    R"(<pane ySplit="14" topLeftCell="A15" activePane="bottomLeft" state="frozen"/>)"
    R"(<selection pane="bottomLeft" activeCell="A15" sqref="A15"/></sheetView></sheetViews>)"
    R"(<sheetFormatPr defaultRowHeight="12.75"/><cols>)"
    R"(<col min="1" max="1" width="10.7109375" customWidth="1"/>)"
    R"(<col min="2" max="2" width="16.7109375" customWidth="1"/>)"
    R"(<col min="3" max="3" width="44.7109375" customWidth="1"/>)"
    R"(<col min="4" max="4" width="8.7109375" customWidth="1"/>)"
    R"(<col min="5" max="7" width="12.7109375" style="7" customWidth="1"/></cols><sheetData>)"
    R"(<row r="1" ht="21" customHeight="1"><c r="A1" s="1" t="s"><v>0</v></c><c r="B1" s="1"/>)"
    R"(<c r="C1" s="1"/><c r="D1" s="1"/><c r="E1" s="1"/><c r="F1" s="1"/><c r="G1" s="1"/></row>)"
    R"(<row r="2"><c r="A2" s="2" t="s"><v>1</v></c><c r="B2" s="2"/><c r="C2" s="2"/>)"
    R"(<c r="D2" s="2"/><c r="E2" s="2"/><c r="F2" s="2"/><c r="G2" s="2"/></row><row r="4">)"
    R"(<c r="A4" s="3" t="s"><v>2</v></c><c r="B4" s="4"/><c r="C4" s="4"/><c r="D4" s="4"/></row>)"
    R"(<row r="5"><c r="A5" s="3" t="s"><v>3</v></c><c r="B5" s="4"/><c r="C5" s="4"/>)"
    R"(<c r="D5" s="4"/></row><row r="6"><c r="A6" s="3" t="s"><v>4</v></c><c r="B6" s="5">)"
    R"(<f>COUNTA(B15:B2000)</f><v>0</v></c></row><row r="13" ht="15" customHeight="1">)"
    R"(<c r="A13" s="6" t="s"><v>5</v></c><c r="B13" s="6" t="s"><v>6</v></c><c r="C13" s="6" t="s">)"
    R"(<v>7</v></c><c r="D13" s="6" t="s"><v>8</v></c><c r="E13" s="6" t="s"><v>10</v></c>)"
    R"(<c r="F13" s="6"/><c r="G13" s="6" t="s"><v>13</v></c></row>)"
    R"(<row r="14" ht="15" customHeight="1"><c r="A14" s="6"/><c r="B14" s="6"/><c r="C14" s="6"/>)"
    R"(<c r="D14" s="6"/><c r="E14" s="6" t="s"><v>11</v></c><c r="F14" s="6" t="s"><v>12</v></c>)"
    R"(<c r="G14" s="6"/></row></sheetData><mergeCells count="10"><mergeCell ref="A1:G1"/>)"
    R"(<mergeCell ref="A2:G2"/><mergeCell ref="B4:D4"/><mergeCell ref="B5:D5"/>)"
    R"(<mergeCell ref="A13:A14"/><mergeCell ref="B13:B14"/><mergeCell ref="C13:C14"/>)"
    R"(<mergeCell ref="D13:D14"/><mergeCell ref="E13:F13"/><mergeCell ref="G13:G14"/></mergeCells>)"
    R"(<printOptions horizontalCentered="1"/>)"
    R"(<pageMargins left="0.5" right="0.5" top="0.75" bottom="0.75" header="0.3" footer="0.3"/>)"
    R"(<pageSetup paperSize="1" fitToHeight="0" orientation="landscape"/><headerFooter>)"
    R"(<oddFooter>&amp;CPage &amp;P of &amp;N</oddFooter></headerFooter></worksheet>)";

TEST(XlsxSeed, HoldsSixTemplateSheetsWithPrintAreasTitlesAndStrings) {
    // Print area: the used columns (E for "a", G for "b", J for "c"); titles: rows 13 and 14.
    // The strings in order of first use: 10 uses on an "a" sheet, 13 on a "b", 16 on a "c";
    // both unit systems: 78.
    const Entries seed = readZip(kSeed);
    EXPECT_EQ(namesOf(seed),
              "[Content_Types].xml\n_rels/.rels\ndocProps/app.xml\ndocProps/core.xml\n"
              "xl/workbook.xml\nxl/_rels/workbook.xml.rels\nxl/styles.xml\nxl/sharedStrings.xml\n"
              "xl/worksheets/sheet1.xml\nxl/worksheets/sheet2.xml\nxl/worksheets/sheet3.xml\n"
              "xl/worksheets/sheet4.xml\nxl/worksheets/sheet5.xml\nxl/worksheets/sheet6.xml\n");
    EXPECT_TRUE(test::sameBytes(
        xml(R"(<workbook xmlns="{main}" xmlns:r="{r}"><workbookPr/><bookViews><workbookView )"
            R"(xWindow="0" yWindow="0" windowWidth="16384" windowHeight="8192" tabRatio="600"/>)"
            R"(</bookViews><sheets><sheet name="e100-01a" sheetId="1" r:id="rId1"/>)"
            R"(<sheet name="e100-01b" sheetId="2" r:id="rId2"/>)"
            R"(<sheet name="e100-01c" sheetId="3" r:id="rId3"/>)"
            R"(<sheet name="m100-01a" sheetId="4" r:id="rId4"/>)"
            R"(<sheet name="m100-01b" sheetId="5" r:id="rId5"/>)"
            R"(<sheet name="m100-01c" sheetId="6" r:id="rId6"/></sheets><definedNames>)"
            R"(<definedName name="_xlnm.Print_Area" localSheetId="0">'e100-01a'!$A:$E</definedName>)"
            R"(<definedName name="_xlnm.Print_Area" localSheetId="1">'e100-01b'!$A:$G</definedName>)"
            R"(<definedName name="_xlnm.Print_Area" localSheetId="2">'e100-01c'!$A:$J</definedName>)"
            R"(<definedName name="_xlnm.Print_Area" localSheetId="3">'m100-01a'!$A:$E</definedName>)"
            R"(<definedName name="_xlnm.Print_Area" localSheetId="4">'m100-01b'!$A:$G</definedName>)"
            R"(<definedName name="_xlnm.Print_Area" localSheetId="5">'m100-01c'!$A:$J</definedName>)"
            R"(<definedName name="_xlnm.Print_Titles" localSheetId="0">'e100-01a'!$13:$14</definedName>)"
            R"(<definedName name="_xlnm.Print_Titles" localSheetId="1">'e100-01b'!$13:$14</definedName>)"
            R"(<definedName name="_xlnm.Print_Titles" localSheetId="2">'e100-01c'!$13:$14</definedName>)"
            R"(<definedName name="_xlnm.Print_Titles" localSheetId="3">'m100-01a'!$13:$14</definedName>)"
            R"(<definedName name="_xlnm.Print_Titles" localSheetId="4">'m100-01b'!$13:$14</definedName>)"
            R"(<definedName name="_xlnm.Print_Titles" localSheetId="5">'m100-01c'!$13:$14</definedName>)"
            R"(</definedNames><calcPr fullCalcOnLoad="1"/></workbook>)"),
        partOf(seed, u"xl/workbook.xml"_s)));
    EXPECT_TRUE(test::sameBytes(
        xml(R"(<sst xmlns="{main}" count="78" uniqueCount="18">)"
            R"(<si><t>QUANTITY TABLE</t></si><si><t>ENGLISH UNITS</t></si>)"
            R"(<si><t>PROJECT:</t></si><si><t>SHEET:</t></si><si><t>ITEMS:</t></si>)"
            R"(<si><t>LINE</t></si><si><t>ITEM NUMBER</t></si><si><t>DESCRIPTION</t></si>)"
            R"(<si><t>UNIT</t></si><si><t>QUANTITY</t></si><si><t>CATEGORY</t></si>)"
            R"(<si><t>CAT 1</t></si><si><t>CAT 2</t></si><si><t>TOTAL</t></si>)"
            R"(<si><t>CAT 3</t></si><si><t>CAT 4</t></si><si><t>CAT 5</t></si>)"
            R"(<si><t>METRIC UNITS</t></si></sst>)"),
        partOf(seed, u"xl/sharedStrings.xml"_s)));
    EXPECT_TRUE(
        test::sameBytes(xml(kTwoCategorySheet), partOf(seed, u"xl/worksheets/sheet2.xml"_s)));
}

// --- Another program reads what we write ----------------------------------------------------
//
// LibreOffice opens a filled seed in tabfillexport_test.cpp.

// The seed cut down to "e100-01b" with two item rows, as the quantity export fills it.
QString writeFilledTable(const QTemporaryDir& dir) {
    XlsxWorkbook workbook = XlsxWorkbook::open(kSeed);
    workbook.keepOnlySheet(u"e100-01b"_s, u"Tabfill"_s);
    for (const Edit& edit :
         {string("A15", u"1"_s), string("B15", u"203-0100"_s),
          string("C15", u"EXCAVATION, \"CLASS\" A"_s), string("D15", u"CY"_s), number("E15", 3),
          number("F15", 4.5), string("G15", u".5"_s), string("A16", u"2"_s),
          string("B16", u"2599-9999"_s), string("C16", u"D\u00e9blai \u2013 caf\u00e9"_s),
          string("D16", u"LS"_s), number("E16", 1234.5678), number("F16", 0)}) {
        edit(workbook);
    }
    const QString path = dir.filePath(u"tabfill.xlsx"_s);
    workbook.save(path);
    EXPECT_EQ(namesOf(readZip(path)),
              "[Content_Types].xml\n_rels/.rels\ndocProps/app.xml\ndocProps/core.xml\n"
              "xl/workbook.xml\nxl/_rels/workbook.xml.rels\nxl/styles.xml\nxl/sharedStrings.xml\n"
              "xl/worksheets/sheet2.xml\n");
    return path;
}

TEST(XlsxSeed, OpenpyxlReadsTheFilledTable) {
    QTemporaryDir dir;
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
    const auto output = test::openpyxl(script, writeFilledTable(dir));
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
