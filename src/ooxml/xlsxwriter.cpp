#include "ooxml/xlsxwriter.h"

#include "ooxml/xlsxcellref.h"
#include "ooxml/xlsxerror.h"
#include "ooxml/ziparchive.h"
#include "ooxml/ziperror.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

QByteArray escaped(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}

const QByteArray kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const QByteArray kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const QByteArray kType = "application/vnd.openxmlformats-officedocument.spreadsheetml.";

QByteArray stylesPart() {
    return kHead + "<styleSheet xmlns=\"" + kMain +
           "\"><fonts count=\"2\"><font><sz val=\"10\"/><name val=\"Arial\"/></font>"
           "<font><b/><sz val=\"10\"/><name val=\"Arial\"/></font></fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border>"
           "</borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
           "borderId=\"0\"/></cellStyleXfs><cellXfs count=\"3\">"
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
           "<xf numFmtId=\"4\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
           "applyNumberFormat=\"1\"/>"
           "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
           "applyFont=\"1\"/></cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" "
           "xfId=\"0\" builtinId=\"0\"/></cellStyles></styleSheet>";
}

}  // namespace

void XlsxWriter::addSheet(const QString& name, const QString& printedHeader) {
    closeRow();
    sheets_.append(Sheet{name, printedHeader, {}});
    row_ = 0;
}

void XlsxWriter::nextRow() {
    if (sheets_.isEmpty()) {
        throw XlsxError(u"a row was written before any sheet"_s);
    }
    closeRow();
    ++row_;
}

void XlsxWriter::text(int column, const QString& value, Style style) {
    if (!value.isEmpty()) {
        cell(column, style, u"inlineStr"_s,
             u"<is><t xml:space=\"preserve\">"_s + value.toHtmlEscaped() + u"</t></is>"_s);
    }
}

void XlsxWriter::number(int column, const QString& value, Style style) {
    if (!value.isEmpty()) {
        cell(column, style, QString(), u"<v>"_s + value.toHtmlEscaped() + u"</v>"_s);
    }
}

void XlsxWriter::cell(int column, Style style, const QString& type, const QString& inner) {
    if (row_ == 0) {
        throw XlsxError(u"a cell was written outside a row"_s);
    }
    QByteArray& rows = sheets_.back().rows;
    if (!rowOpen_) {  // a row without cells is left out
        rows += "<row r=\"" + QByteArray::number(row_) + "\">";
        rowOpen_ = true;
    }
    rows += "<c r=\"" + XlsxCellRef::columnName(column).toUtf8() + QByteArray::number(row_) + '"';
    if (style != Style::Plain) {
        rows += " s=\"" + QByteArray::number(int(style)) + '"';
    }
    if (!type.isEmpty()) {
        rows += " t=\"" + type.toUtf8() + '"';
    }
    rows += '>' + inner.toUtf8() + "</c>";
}

void XlsxWriter::closeRow() {
    if (rowOpen_) {
        sheets_.back().rows += "</row>";
        rowOpen_ = false;
    }
}

QByteArray XlsxWriter::toBytes() const {
    if (sheets_.isEmpty()) {
        throw XlsxError(u"a workbook needs a sheet"_s);
    }
    XlsxWriter closed = *this;
    closed.closeRow();
    QByteArray types = kHead +
                       "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                       "content-types\"><Default Extension=\"rels\" ContentType=\"application/"
                       "vnd.openxmlformats-package.relationships+xml\"/><Default Extension=\"xml\" "
                       "ContentType=\"application/xml\"/><Override PartName=\"/xl/workbook.xml\" "
                       "ContentType=\"" +
                       kType + "sheet.main+xml\"/><Override PartName=\"/xl/styles.xml\" " +
                       "ContentType=\"" + kType + "styles+xml\"/>";
    QByteArray sheets;
    QByteArray relations;
    QList<ZipArchive::Entry> worksheets;
    for (qsizetype i = 0; i < closed.sheets_.size(); ++i) {
        const Sheet& sheet = closed.sheets_[i];
        const QByteArray n = QByteArray::number(i + 1);
        types += "<Override PartName=\"/xl/worksheets/sheet" + n + ".xml\" ContentType=\"" + kType +
                 "worksheet+xml\"/>";
        sheets += "<sheet name=\"" + escaped(sheet.name) + "\" sheetId=\"" + n + "\" r:id=\"rId" +
                  n + "\"/>";
        relations += "<Relationship Id=\"rId" + n + "\" Type=\"" + kRel +
                     "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        worksheets.append(
            {u"xl/worksheets/sheet"_s + QString::number(i + 1) + u".xml"_s,
             kHead + "<worksheet xmlns=\"" + kMain + "\"><sheetData>" + sheet.rows +
                 "</sheetData><pageMargins left=\"0.5\" right=\"0.5\" top=\"0.75\" "
                 "bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/><pageSetup "
                 "orientation=\"landscape\"/><headerFooter><oddHeader>&amp;C" +
                 escaped(sheet.header) +
                 "</oddHeader><oddFooter>&amp;CPage &amp;P of &amp;N</oddFooter></headerFooter>"
                 "</worksheet>"});
    }
    const QByteArray styles = QByteArray::number(closed.sheets_.size() + 1);
    QList<ZipArchive::Entry> entries{
        {u"[Content_Types].xml"_s, types + "</Types>"},
        {u"_rels/.rels"_s,
         kHead +
             "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
             "relationships\"><Relationship Id=\"rId1\" Type=\"" +
             kRel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {u"xl/workbook.xml"_s, kHead + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRel +
                                   "\"><sheets>" + sheets + "</sheets></workbook>"},
        {u"xl/_rels/workbook.xml.rels"_s,
         kHead +
             "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
             "relationships\">" +
             relations + "<Relationship Id=\"rId" + styles + "\" Type=\"" + kRel +
             "/styles\" Target=\"styles.xml\"/></Relationships>"},
        {u"xl/styles.xml"_s, stylesPart()},
    };
    entries += worksheets;
    try {
        return ZipArchive::write(entries, ZipArchive::Compression::Deflate);
    } catch (const ZipError& error) {
        throw XlsxError(error.reason());
    }
}

}  // namespace veskplan
