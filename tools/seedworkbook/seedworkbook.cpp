#include "seedworkbook.h"

#include "ooxml/xlsxcellref.h"

#include <QString>

#include <algorithm>
#include <vector>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

const QByteArray kDeclaration =
    QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n");
const QByteArray kMainNamespace =
    QByteArrayLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
const QByteArray kRelationshipNamespace =
    QByteArrayLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QByteArray kRelationshipType =
    QByteArrayLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");

// Cell styles, as indexes into cellXfs of styles.xml below.
enum Style {
    kDefault = 0,
    kTitle = 1,     // bold 14 pt, centred
    kUnits = 2,     // italic, centred
    kLabel = 3,     // bold
    kField = 4,     // underlined blank to fill in
    kCount = 5,     // whole number, left aligned
    kHeading = 6,   // bold, boxed, centred, wrapped
    kQuantity = 7,  // three decimals
};

struct Template {
    QByteArray name;
    bool metric;
    int categories;  // 1: one quantity column, no total
};

const std::vector<Template> kTemplates = {
    {"e100-01a", false, 1}, {"e100-01b", false, 2}, {"e100-01c", false, 5},
    {"m100-01a", true, 1},  {"m100-01b", true, 2},  {"m100-01c", true, 5},
};

constexpr int kHeadingRows = 14;
constexpr int kQuantityColumn = 5;  // E

int lastColumn(const Template& sheet) {
    return sheet.categories == 1 ? kQuantityColumn : kQuantityColumn + sheet.categories;
}

QByteArray cellName(int row, int column) {
    return XlsxCellRef(row, column).toString().toLatin1();
}

QByteArray columnName(int column) {
    return XlsxCellRef::columnName(column).toLatin1();
}

// The shared string table, filled as the sheets use strings; count is every use.
class StringTable {
public:
    int use(const QByteArray& text) {
        ++m_count;
        const auto found = std::find(m_strings.begin(), m_strings.end(), text);
        if (found != m_strings.end()) {
            return int(found - m_strings.begin());
        }
        m_strings.push_back(text);
        return int(m_strings.size() - 1);
    }

    QByteArray xml() const {
        QByteArray out = kDeclaration;
        out += "<sst xmlns=\"" + kMainNamespace + "\" count=\"" + QByteArray::number(m_count) +
               "\" uniqueCount=\"" + QByteArray::number(qsizetype(m_strings.size())) + "\">";
        for (const QByteArray& text : m_strings) {
            out += "<si><t>" + text + "</t></si>";
        }
        out += "</sst>";
        return out;
    }

private:
    std::vector<QByteArray> m_strings;
    int m_count = 0;
};

class SheetWriter {
public:
    SheetWriter(const Template& sheet, StringTable& strings) : m_sheet(sheet), m_strings(strings) {}

    QByteArray xml(bool selected) {
        const int last = lastColumn(m_sheet);

        merge(1, 1, 1, last);
        merge(2, 1, 2, last);
        merge(4, 2, 4, 4);
        merge(5, 2, 5, 4);

        QByteArray rows;
        rows += row(1, "ht=\"21\" customHeight=\"1\"",
                    text(1, 1, kTitle, "QUANTITY TABLE") + blanks(1, 2, last, kTitle));
        rows += row(2, {},
                    text(2, 1, kUnits, m_sheet.metric ? "METRIC UNITS" : "ENGLISH UNITS") +
                        blanks(2, 2, last, kUnits));
        rows += row(4, {}, text(4, 1, kLabel, "PROJECT:") + blanks(4, 2, 4, kField));
        rows += row(5, {}, text(5, 1, kLabel, "SHEET:") + blanks(5, 2, 4, kField));
        // How many item rows are filled in; harmless to the rows below and recalculated on load.
        rows += row(6, {},
                    text(6, 1, kLabel, "ITEMS:") + "<c r=\"B6\" s=\"" + QByteArray::number(kCount) +
                        "\"><f>COUNTA(B15:B2000)</f><v>0</v></c>");

        QByteArray top;
        QByteArray bottom;
        const QByteArray headings[] = {"LINE", "ITEM NUMBER", "DESCRIPTION", "UNIT"};
        for (int column = 1; column <= 4; ++column) {
            top += text(13, column, kHeading, headings[column - 1]);
            bottom += blanks(14, column, column, kHeading);
            merge(13, column, 14, column);
        }
        if (m_sheet.categories == 1) {
            top += text(13, kQuantityColumn, kHeading, "QUANTITY");
            bottom += blanks(14, kQuantityColumn, kQuantityColumn, kHeading);
            merge(13, kQuantityColumn, 14, kQuantityColumn);
        } else {
            const int total = last;
            top += text(13, kQuantityColumn, kHeading, "CATEGORY") +
                   blanks(13, kQuantityColumn + 1, total - 1, kHeading);
            merge(13, kQuantityColumn, 13, total - 1);
            for (int category = 1; category <= m_sheet.categories; ++category) {
                bottom += text(14, kQuantityColumn + category - 1, kHeading,
                               "CAT " + QByteArray::number(category));
            }
            top += text(13, total, kHeading, "TOTAL");
            bottom += blanks(14, total, total, kHeading);
            merge(13, total, 14, total);
        }
        rows += row(13, "ht=\"15\" customHeight=\"1\"", top);
        rows += row(14, "ht=\"15\" customHeight=\"1\"", bottom);

        QByteArray out = kDeclaration;
        out += "<worksheet xmlns=\"" + kMainNamespace + "\" xmlns:r=\"" + kRelationshipNamespace +
               "\">";
        out += "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>";
        out += "<dimension ref=\"A1:" + cellName(kHeadingRows, last) + "\"/>";
        // Headings stay in view while the item rows scroll.
        out += "<sheetViews><sheetView";
        out += selected ? " tabSelected=\"1\"" : "";
        out +=
            " workbookViewId=\"0\"><pane ySplit=\"14\" topLeftCell=\"A15\" "
            "activePane=\"bottomLeft\" state=\"frozen\"/><selection pane=\"bottomLeft\" "
            "activeCell=\"A15\" sqref=\"A15\"/></sheetView></sheetViews>";
        out += "<sheetFormatPr defaultRowHeight=\"12.75\"/>";
        out += "<cols>";
        out += "<col min=\"1\" max=\"1\" width=\"10.7109375\" customWidth=\"1\"/>";
        out += "<col min=\"2\" max=\"2\" width=\"16.7109375\" customWidth=\"1\"/>";
        out += "<col min=\"3\" max=\"3\" width=\"44.7109375\" customWidth=\"1\"/>";
        out += "<col min=\"4\" max=\"4\" width=\"8.7109375\" customWidth=\"1\"/>";
        out += "<col min=\"5\" max=\"" + QByteArray::number(last) +
               "\" width=\"12.7109375\" style=\"" + QByteArray::number(kQuantity) +
               "\" customWidth=\"1\"/>";
        out += "</cols>";
        out += "<sheetData>" + rows + "</sheetData>";
        out += "<mergeCells count=\"" + QByteArray::number(m_merges.size()) + "\">" +
               m_merges.join() + "</mergeCells>";
        out += "<printOptions horizontalCentered=\"1\"/>";
        out +=
            "<pageMargins left=\"0.5\" right=\"0.5\" top=\"0.75\" bottom=\"0.75\" "
            "header=\"0.3\" footer=\"0.3\"/>";
        out += "<pageSetup paperSize=\"1\" fitToHeight=\"0\" orientation=\"landscape\"/>";
        out += "<headerFooter><oddFooter>&amp;CPage &amp;P of &amp;N</oddFooter></headerFooter>";
        out += "</worksheet>";
        return out;
    }

private:
    static QByteArray row(int number, const QByteArray& attributes, const QByteArray& cells) {
        QByteArray out = "<row r=\"" + QByteArray::number(number) + "\"";
        if (!attributes.isEmpty()) {
            out += " " + attributes;
        }
        return out + ">" + cells + "</row>";
    }

    QByteArray text(int row, int column, Style style, const QByteArray& value) {
        return "<c r=\"" + cellName(row, column) + "\" s=\"" + QByteArray::number(style) +
               "\" t=\"s\"><v>" + QByteArray::number(m_strings.use(value)) + "</v></c>";
    }

    // Styled empty cells: the covered cells of a merge carry the border and fill too.
    static QByteArray blanks(int row, int first, int last, Style style) {
        QByteArray out;
        for (int column = first; column <= last; ++column) {
            out +=
                "<c r=\"" + cellName(row, column) + "\" s=\"" + QByteArray::number(style) + "\"/>";
        }
        return out;
    }

    void merge(int top, int left, int bottom, int right) {
        m_merges.append("<mergeCell ref=\"" + cellName(top, left) + ":" + cellName(bottom, right) +
                        "\"/>");
    }

    const Template& m_sheet;
    StringTable& m_strings;
    QByteArrayList m_merges;
};

QByteArray stylesXml() {
    QByteArray out = kDeclaration;
    out += "<styleSheet xmlns=\"" + kMainNamespace + "\">";
    out += "<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.000\"/></numFmts>";
    out +=
        "<fonts count=\"4\">"
        "<font><sz val=\"10\"/><name val=\"Arial\"/><family val=\"2\"/></font>"
        "<font><b/><sz val=\"14\"/><name val=\"Arial\"/><family val=\"2\"/></font>"
        "<font><b/><sz val=\"10\"/><name val=\"Arial\"/><family val=\"2\"/></font>"
        "<font><i/><sz val=\"10\"/><name val=\"Arial\"/><family val=\"2\"/></font>"
        "</fonts>";
    out +=
        "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
        "<fill><patternFill patternType=\"gray125\"/></fill></fills>";
    out +=
        "<borders count=\"3\">"
        "<border><left/><right/><top/><bottom/><diagonal/></border>"
        "<border><left style=\"thin\"><color auto=\"1\"/></left>"
        "<right style=\"thin\"><color auto=\"1\"/></right>"
        "<top style=\"thin\"><color auto=\"1\"/></top>"
        "<bottom style=\"thin\"><color auto=\"1\"/></bottom><diagonal/></border>"
        "<border><left/><right/><top/><bottom style=\"thin\"><color auto=\"1\"/></bottom>"
        "<diagonal/></border>"
        "</borders>";
    out +=
        "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
        "borderId=\"0\"/></cellStyleXfs>";
    out +=
        "<cellXfs count=\"8\">"
        // kDefault
        "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
        // kTitle
        "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
        "applyFont=\"1\" applyAlignment=\"1\"><alignment horizontal=\"center\"/></xf>"
        // kUnits
        "<xf numFmtId=\"0\" fontId=\"3\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
        "applyFont=\"1\" applyAlignment=\"1\"><alignment horizontal=\"center\"/></xf>"
        // kLabel
        "<xf numFmtId=\"0\" fontId=\"2\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
        "applyFont=\"1\"/>"
        // kField
        "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"2\" xfId=\"0\" "
        "applyBorder=\"1\"/>"
        // kCount
        "<xf numFmtId=\"1\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
        "applyNumberFormat=\"1\" applyAlignment=\"1\"><alignment horizontal=\"left\"/></xf>"
        // kHeading
        "<xf numFmtId=\"0\" fontId=\"2\" fillId=\"0\" borderId=\"1\" xfId=\"0\" "
        "applyFont=\"1\" applyBorder=\"1\" applyAlignment=\"1\"><alignment "
        "horizontal=\"center\" vertical=\"center\" wrapText=\"1\"/></xf>"
        // kQuantity
        "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
        "applyNumberFormat=\"1\"/>"
        "</cellXfs>";
    out +=
        "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
        "</cellStyles>";
    out += "<dxfs count=\"0\"/><tableStyles count=\"0\"/>";
    out += "</styleSheet>";
    return out;
}

QByteArray quotedSheet(const Template& sheet) {
    return "'" + sheet.name + "'";  // the names hold "-", so references need the quotes
}

QByteArray workbookXml() {
    QByteArray out = kDeclaration;
    out += "<workbook xmlns=\"" + kMainNamespace + "\" xmlns:r=\"" + kRelationshipNamespace + "\">";
    out += "<workbookPr/>";
    out +=
        "<bookViews><workbookView xWindow=\"0\" yWindow=\"0\" windowWidth=\"16384\" "
        "windowHeight=\"8192\" tabRatio=\"600\"/></bookViews>";
    out += "<sheets>";
    for (size_t i = 0; i < kTemplates.size(); ++i) {
        const QByteArray number = QByteArray::number(qsizetype(i + 1));
        out += "<sheet name=\"" + kTemplates[i].name + "\" sheetId=\"" + number + "\" r:id=\"rId" +
               number + "\"/>";
    }
    out += "</sheets>";
    // Print area: the used columns, all rows (only the filled ones print); print titles: the
    // column headings on every page.
    out += "<definedNames>";
    for (size_t i = 0; i < kTemplates.size(); ++i) {
        out += "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"" +
               QByteArray::number(qsizetype(i)) + "\">" + quotedSheet(kTemplates[i]) + "!$A:$" +
               columnName(lastColumn(kTemplates[i])) + "</definedName>";
    }
    for (size_t i = 0; i < kTemplates.size(); ++i) {
        out += "<definedName name=\"_xlnm.Print_Titles\" localSheetId=\"" +
               QByteArray::number(qsizetype(i)) + "\">" + quotedSheet(kTemplates[i]) +
               "!$13:$14</definedName>";
    }
    out += "</definedNames>";
    out += "<calcPr fullCalcOnLoad=\"1\"/>";
    out += "</workbook>";
    return out;
}

QByteArray workbookRelationshipsXml() {
    QByteArray out = kDeclaration;
    out += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (size_t i = 0; i < kTemplates.size(); ++i) {
        const QByteArray number = QByteArray::number(qsizetype(i + 1));
        out += "<Relationship Id=\"rId" + number + "\" Type=\"" + kRelationshipType +
               "worksheet\" Target=\"worksheets/sheet" + number + ".xml\"/>";
    }
    const QByteArray styles = QByteArray::number(qsizetype(kTemplates.size() + 1));
    const QByteArray strings = QByteArray::number(qsizetype(kTemplates.size() + 2));
    out += "<Relationship Id=\"rId" + styles + "\" Type=\"" + kRelationshipType +
           "styles\" Target=\"styles.xml\"/>";
    out += "<Relationship Id=\"rId" + strings + "\" Type=\"" + kRelationshipType +
           "sharedStrings\" Target=\"sharedStrings.xml\"/>";
    out += "</Relationships>";
    return out;
}

QByteArray packageRelationshipsXml() {
    QByteArray out = kDeclaration;
    out +=
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"" +
        kRelationshipType +
        "officeDocument\" Target=\"xl/workbook.xml\"/>"
        "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/"
        "relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>"
        "<Relationship Id=\"rId3\" Type=\"" +
        kRelationshipType +
        "extended-properties\" Target=\"docProps/app.xml\"/>"
        "</Relationships>";
    return out;
}

QByteArray contentTypesXml() {
    const QByteArray office = "application/vnd.openxmlformats-officedocument.";
    QByteArray out = kDeclaration;
    out +=
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>";
    out += "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" + office +
           "spreadsheetml.sheet.main+xml\"/>";
    for (size_t i = 0; i < kTemplates.size(); ++i) {
        out += "<Override PartName=\"/xl/worksheets/sheet" + QByteArray::number(qsizetype(i + 1)) +
               ".xml\" ContentType=\"" + office + "spreadsheetml.worksheet+xml\"/>";
    }
    out += "<Override PartName=\"/xl/styles.xml\" ContentType=\"" + office +
           "spreadsheetml.styles+xml\"/>";
    out += "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" + office +
           "spreadsheetml.sharedStrings+xml\"/>";
    out +=
        "<Override PartName=\"/docProps/core.xml\" "
        "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>";
    out += "<Override PartName=\"/docProps/app.xml\" ContentType=\"" + office +
           "extended-properties+xml\"/>";
    out += "</Types>";
    return out;
}

QByteArray corePropertiesXml() {
    QByteArray out = kDeclaration;
    out +=
        "<cp:coreProperties "
        "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
        "xmlns:dcterms=\"http://purl.org/dc/terms/\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
        "<dc:title>Quantity table templates</dc:title>"
        "<dc:creator>Veskplan</dc:creator>"
        "<dcterms:created xsi:type=\"dcterms:W3CDTF\">2024-01-01T00:00:00Z</dcterms:created>"
        "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">2024-01-01T00:00:00Z</dcterms:modified>"
        "</cp:coreProperties>";
    return out;
}

QByteArray appPropertiesXml() {
    const qsizetype sheets = qsizetype(kTemplates.size());
    QByteArray titles;
    for (const Template& sheet : kTemplates) {
        titles += "<vt:lpstr>" + sheet.name + "</vt:lpstr>";
    }
    for (const char* name : {"Print_Area", "Print_Titles"}) {
        for (const Template& sheet : kTemplates) {
            titles += "<vt:lpstr>" + quotedSheet(sheet) + "!" + name + "</vt:lpstr>";
        }
    }
    QByteArray out = kDeclaration;
    out +=
        "<Properties "
        "xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
        "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">"
        "<Application>Veskplan</Application><DocSecurity>0</DocSecurity>"
        "<ScaleCrop>false</ScaleCrop>"
        "<HeadingPairs><vt:vector size=\"4\" baseType=\"variant\">"
        "<vt:variant><vt:lpstr>Worksheets</vt:lpstr></vt:variant>"
        "<vt:variant><vt:i4>" +
        QByteArray::number(sheets) +
        "</vt:i4></vt:variant>"
        "<vt:variant><vt:lpstr>Named Ranges</vt:lpstr></vt:variant>"
        "<vt:variant><vt:i4>" +
        QByteArray::number(2 * sheets) +
        "</vt:i4></vt:variant>"
        "</vt:vector></HeadingPairs>"
        "<TitlesOfParts><vt:vector size=\"" +
        QByteArray::number(3 * sheets) + "\" baseType=\"lpstr\">" + titles +
        "</vt:vector></TitlesOfParts>"
        "<LinksUpToDate>false</LinksUpToDate><SharedDoc>false</SharedDoc>"
        "<HyperlinksChanged>false</HyperlinksChanged>"
        "</Properties>";
    return out;
}

}  // namespace

QList<ZipArchive::Entry> SeedWorkbook::parts() {
    StringTable strings;
    QList<ZipArchive::Entry> sheets;
    for (size_t i = 0; i < kTemplates.size(); ++i) {
        SheetWriter writer(kTemplates[i], strings);
        sheets.append({u"xl/worksheets/sheet%1.xml"_s.arg(i + 1), writer.xml(i == 0)});
    }
    QList<ZipArchive::Entry> parts = {
        {u"[Content_Types].xml"_s, contentTypesXml()},
        {u"_rels/.rels"_s, packageRelationshipsXml()},
        {u"docProps/app.xml"_s, appPropertiesXml()},
        {u"docProps/core.xml"_s, corePropertiesXml()},
        {u"xl/workbook.xml"_s, workbookXml()},
        {u"xl/_rels/workbook.xml.rels"_s, workbookRelationshipsXml()},
        {u"xl/styles.xml"_s, stylesXml()},
        {u"xl/sharedStrings.xml"_s, strings.xml()},
    };
    parts.append(sheets);
    return parts;
}

QByteArray SeedWorkbook::bytes() {
    return ZipArchive::write(parts(), ZipArchive::Compression::Store);
}

}  // namespace veskplan
