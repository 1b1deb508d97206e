#include "estimate/estimateworkbook.h"

#include <QXmlStreamWriter>

#include "base/error.h"
#include "base/filewriting.h"
#include "ooxml/xlsxcellref.h"
#include "ooxml/ziparchive.h"
#include "ooxml/ziperror.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

enum Style { Plain = 0, Money = 1, Bold = 2 };

// The shortest text that reads back as the very same number, so that the sheet's formulas start
// from the values the estimate was computed from.
QString exactText(double value) {
    const QString text = QString::number(value, 'g', 15);
    return text.toDouble() == value ? text : QString::number(value, 'g', 17);
}

// A figure rounded to the cent, half away from zero, as the estimate rounds the decimal numbers
// the designer sees (a spreadsheet's ROUND takes 1.005 x 1.00 to 1.01, as the estimate does).
QString toCents(const QString& dollars) {
    return u"ROUND("_s + dollars + u",2)"_s;
}

// One worksheet's XML, written row by row.
class SheetWriter {
public:
    SheetWriter() : xml_(&bytes_) {
        xml_.writeStartDocument(u"1.0"_s, true);
        xml_.writeStartElement(u"worksheet"_s);
        xml_.writeDefaultNamespace(u"http://schemas.openxmlformats.org/spreadsheetml/2006/main"_s);
        xml_.writeStartElement(u"sheetData"_s);
    }
    int row() const { return row_; }
    void nextRow() {
        closeRow();
        ++row_;
        xml_.writeStartElement(u"row"_s);
        xml_.writeAttribute(u"r"_s, QString::number(row_));
        open_ = true;
    }
    void text(int column, const QString& value, Style style = Plain) {
        if (value.isEmpty()) {
            return;
        }
        startCell(column, style);
        xml_.writeAttribute(u"t"_s, u"inlineStr"_s);
        xml_.writeStartElement(u"is"_s);
        xml_.writeStartElement(u"t"_s);
        xml_.writeAttribute(u"xml:space"_s, u"preserve"_s);
        xml_.writeCharacters(value);
        xml_.writeEndElement();
        xml_.writeEndElement();
        xml_.writeEndElement();
    }
    void number(int column, const QString& value, Style style = Plain) {
        startCell(column, style);
        xml_.writeTextElement(u"v"_s, value);
        xml_.writeEndElement();
    }
    void number(int column, std::optional<double> value, Style style = Plain) {
        if (value) {
            number(column, exactText(*value), style);
        }
    }
    void formula(int column, const QString& formula, qint64 cents) {
        startCell(column, Money);
        xml_.writeTextElement(u"f"_s, formula);
        xml_.writeTextElement(u"v"_s, centsText(cents));
        xml_.writeEndElement();
    }
    QByteArray finish() {
        closeRow();
        xml_.writeEndElement();  // sheetData
        xml_.writeEmptyElement(u"pageMargins"_s);
        for (const auto& [name, value] : {std::pair(u"left"_s, u"0.5"_s),
                                          {u"right"_s, u"0.5"_s},
                                          {u"top"_s, u"0.75"_s},
                                          {u"bottom"_s, u"0.75"_s},
                                          {u"header"_s, u"0.3"_s},
                                          {u"footer"_s, u"0.3"_s}}) {
            xml_.writeAttribute(name, value);
        }
        xml_.writeEmptyElement(u"pageSetup"_s);
        xml_.writeAttribute(u"orientation"_s, u"landscape"_s);
        xml_.writeStartElement(u"headerFooter"_s);
        xml_.writeTextElement(u"oddHeader"_s, u"&C"_s + confidentialityMark());
        xml_.writeTextElement(u"oddFooter"_s, u"&CPage &P of &N"_s);
        xml_.writeEndElement();
        xml_.writeEndElement();  // worksheet
        xml_.writeEndDocument();
        return bytes_;
    }

private:
    void startCell(int column, Style style) {
        xml_.writeStartElement(u"c"_s);
        xml_.writeAttribute(u"r"_s, XlsxCellRef::columnName(column) + QString::number(row_));
        if (style != Plain) {
            xml_.writeAttribute(u"s"_s, QString::number(style));
        }
    }
    void closeRow() {
        if (open_) {
            xml_.writeEndElement();
            open_ = false;
        }
    }

    QByteArray bytes_;
    QXmlStreamWriter xml_;
    int row_ = 0;
    bool open_ = false;
};

QString cell(const char* column, int row) {
    return QString::fromLatin1(column) + QString::number(row);
}

void writeTitle(SheetWriter& sheet, const EstimateTitle& title, const QString& what) {
    sheet.nextRow();
    sheet.text(1, confidentialityMark(), Bold);
    sheet.nextRow();
    sheet.text(1, what + u": "_s + title.projectNumber + u"  "_s + title.projectName, Bold);
    sheet.nextRow();
    sheet.text(1, u"Estimate date "_s + title.estimateDate.toString(Qt::ISODate) +
                      u"; designer "_s + title.designer);
    sheet.nextRow();
    sheet.text(1, u"Computed prices: "_s + title.basis);
    sheet.nextRow();
}

QByteArray itemsSheet(const Estimate& estimate, const EstimateTitle& title) {
    SheetWriter sheet;
    writeTitle(sheet, title, u"Engineer's estimate"_s);
    sheet.nextRow();
    const QStringList headings{u"Item Number"_s, u"Category"_s,   u"Description"_s, u"Unit"_s,
                               u"Quantity"_s,    u"Unit Price"_s, u"Price Kind"_s,  u"Amount"_s,
                               u"Bids"_s,        u"Contracts"_s,  u"Flags"_s};
    for (int column = 0; column < headings.size(); ++column) {
        sheet.text(column + 1, headings[column], Bold);
    }
    const QString indexEnd = estimate.escalation ? estimate.escalation->lastQuarter : QString();
    const int first = sheet.row() + 1;
    for (const EstimateLine& line : estimate.lines) {
        sheet.nextRow();
        const int r = sheet.row();
        sheet.text(1, fieldText(line.item.itemNumber));
        sheet.text(2, line.item.cat);
        sheet.text(3, fieldText(line.item.description));
        sheet.text(4, fieldText(line.item.units));
        sheet.number(5, line.item.quantity);
        if (line.unitPriceCents) {
            sheet.number(6, centsText(*line.unitPriceCents), Money);
        }
        sheet.text(7, kindText(line));
        if (line.amountCents) {
            // A lump sum without a quantity counts once; any other item without one comes to
            // nothing through its empty quantity cell.
            const bool once = !line.item.quantity && line.has(EstimateFlag::LumpSum);
            sheet.formula(8, toCents((once ? u"1"_s : cell("E", r)) + u"*"_s + cell("F", r)),
                          *line.amountCents);
        }
        if (line.statistics) {
            sheet.number(9, double(line.statistics->bids));
            sheet.number(10, double(line.statistics->contracts));
        }
        sheet.text(11, flagNames(line.flags, indexEnd));
    }
    const int last = std::max(first, sheet.row());
    const QString cats = u"$B$"_s + QString::number(first) + u":$B$"_s + QString::number(last);
    const QString amounts = u"$H$"_s + QString::number(first) + u":$H$"_s + QString::number(last);
    sheet.nextRow();
    const int firstSubtotal = sheet.row() + 1;
    for (const CategorySubtotal& subtotal : estimate.subtotals) {
        sheet.nextRow();
        sheet.text(2, subtotal.cat);
        sheet.text(3, (u"Subtotal "_s + subtotal.cat + u' ' + subtotal.description).trimmed(),
                   Bold);
        sheet.formula(
            8, u"SUMIF("_s + cats + u","_s + cell("B", sheet.row()) + u","_s + amounts + u")"_s,
            subtotal.cents);
    }
    sheet.nextRow();
    const int items = sheet.row();
    sheet.text(3, u"Items"_s, Bold);
    sheet.formula(8,
                  estimate.subtotals.empty() ? u"0"_s
                                             : u"SUM("_s + cell("H", firstSubtotal) + u":"_s +
                                                   cell("H", items - 1) + u")"_s,
                  estimate.itemsCents);
    // Each percentage of the figures above it; an empty percentage computes nothing.
    sheet.nextRow();
    const int mobilization = sheet.row();
    sheet.text(3, u"Mobilization (%)"_s, Bold);
    sheet.number(7, estimate.mobilizationPercent);
    sheet.formula(8, toCents(cell("H", items) + u"*"_s + cell("G", mobilization) + u"/100"_s),
                  estimate.mobilizationCents);
    sheet.nextRow();
    const int contingency = sheet.row();
    sheet.text(3, u"Contingency (%)"_s, Bold);
    sheet.number(7, estimate.contingencyPercent);
    sheet.formula(8,
                  toCents(u"("_s + cell("H", items) + u"+"_s + cell("H", mobilization) + u")*"_s +
                          cell("G", contingency) + u"/100"_s),
                  estimate.contingencyCents);
    sheet.nextRow();
    sheet.text(3, u"Total"_s, Bold);
    sheet.formula(
        8, cell("H", items) + u"+"_s + cell("H", mobilization) + u"+"_s + cell("H", contingency),
        estimate.totalCents);
    return sheet.finish();
}

QByteArray evidenceSheet(const Estimate& estimate, const EstimateTitle& title) {
    SheetWriter sheet;
    writeTitle(sheet, title, u"Evidence"_s);
    sheet.nextRow();
    const QStringList headings{u"Item Number"_s, u"Category"_s,          u"Unit"_s,
                               u"Unit Price"_s,  u"Price Kind"_s,        u"Note"_s,
                               u"Bids"_s,        u"Contracts"_s,         u"Weighted Average"_s,
                               u"Median"_s,      u"Minimum"_s,           u"Maximum"_s,
                               u"CV"_s,          u"Predicted"_s,         u"Lower 90%"_s,
                               u"Upper 90%"_s,   u"Published Average"_s, u"Published Region"_s,
                               u"Bid Ids"_s};
    for (int column = 0; column < headings.size(); ++column) {
        sheet.text(column + 1, headings[column], Bold);
    }
    for (const EstimateLine& line : estimate.lines) {
        sheet.nextRow();
        sheet.text(1, fieldText(line.item.itemNumber));
        sheet.text(2, line.item.cat);
        sheet.text(3, fieldText(line.priceUnit.isEmpty() ? line.item.units : line.priceUnit));
        sheet.number(4, line.unitPrice, Money);
        sheet.text(5, kindText(line));
        sheet.text(6, line.note);
        if (const auto& s = line.statistics) {
            sheet.number(7, double(s->bids));
            sheet.number(8, double(s->contracts));
            sheet.number(9, s->weightedAverage, Money);
            sheet.number(10, s->median, Money);
            sheet.number(11, s->minimum, Money);
            sheet.number(12, s->maximum, Money);
            sheet.number(13, s->coefficientOfVariation);
            if (s->regression) {
                sheet.number(14, s->regression->predicted, Money);
                sheet.number(15, s->regression->lower90, Money);
                sheet.number(16, s->regression->upper90, Money);
            }
            QStringList ids;
            for (const qint64 id : s->bidIds) {
                ids.append(QString::number(id));
            }
            sheet.text(19, ids.join(u' '));
        }
        if (const auto& p = line.published) {
            sheet.number(17, p->averagePrice, Money);
            sheet.text(18, p->region.isEmpty() ? u"statewide"_s : p->region);
        }
    }
    // Which histories and files priced it, and as of when.
    if (!estimate.pricedFrom.empty()) {
        sheet.nextRow();
    }
    for (const PricedFrom& source : estimate.pricedFrom) {
        sheet.nextRow();
        sheet.text(1, u"Priced from"_s, Bold);
        sheet.text(2, source.source);
        if (source.asOf.isValid()) {
            sheet.text(3, u"as of "_s + source.asOf.toString(Qt::ISODate));
        }
    }
    return sheet.finish();
}

QByteArray stylesPart() {
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<fonts count=\"2\"><font><sz val=\"10\"/><name val=\"Arial\"/></font>"
        "<font><b/><sz val=\"10\"/><name val=\"Arial\"/></font></fonts>"
        "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
        "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
        "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
        "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
        "</cellStyleXfs><cellXfs count=\"3\">"
        "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
        "<xf numFmtId=\"4\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
        "applyNumberFormat=\"1\"/>"
        "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
        "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" "
        "builtinId=\"0\"/></cellStyles></styleSheet>");
}

}  // namespace

QByteArray estimateWorkbook(const Estimate& estimate, const EstimateTitle& title) {
    const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const QByteArray ct = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    QList<ZipArchive::Entry> entries{
        {u"[Content_Types].xml"_s,
         head +
             "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
             "<Default Extension=\"rels\" ContentType=\"application/"
             "vnd.openxmlformats-package.relationships+xml\"/>"
             "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
             "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
             ct +
             "sheet.main+xml\"/>"
             "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" +
             ct +
             "worksheet+xml\"/><Override PartName=\"/xl/worksheets/sheet2.xml\" ContentType=\"" +
             ct + "worksheet+xml\"/><Override PartName=\"/xl/styles.xml\" ContentType=\"" + ct +
             "styles+xml\"/></Types>"},
        {u"_rels/.rels"_s,
         head +
             "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
             "relationships\"><Relationship Id=\"rId1\" Type=\"" +
             rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {u"xl/workbook.xml"_s,
         head +
             "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
             "xmlns:r=\"" +
             rel +
             "\"><sheets>"
             "<sheet name=\"Estimate\" sheetId=\"1\" r:id=\"rId1\"/>"
             "<sheet name=\"Evidence\" sheetId=\"2\" r:id=\"rId2\"/></sheets>"
             "<calcPr fullCalcOnLoad=\"1\"/></workbook>"},
        {u"xl/_rels/workbook.xml.rels"_s,
         head +
             "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
             "relationships\"><Relationship Id=\"rId1\" Type=\"" +
             rel +
             "/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" +
             rel +
             "/worksheet\" Target=\"worksheets/sheet2.xml\"/><Relationship Id=\"rId3\" "
             "Type=\"" +
             rel + "/styles\" Target=\"styles.xml\"/></Relationships>"},
        {u"xl/styles.xml"_s, stylesPart()},
        {u"xl/worksheets/sheet1.xml"_s, itemsSheet(estimate, title)},
        {u"xl/worksheets/sheet2.xml"_s, evidenceSheet(estimate, title)},
    };
    try {
        return ZipArchive::write(entries, ZipArchive::Compression::Deflate);
    } catch (const ZipError& error) {
        throw Error(u"The estimate's workbook could not be made: "_s + error.reason());
    }
}

void writeEstimateWorkbook(const Estimate& estimate, const EstimateTitle& title,
                           const QString& path) {
    writeFileAtomically(path, estimateWorkbook(estimate, title));
}

}  // namespace veskplan
