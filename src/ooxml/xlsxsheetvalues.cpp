#include "ooxml/xlsxsheetvalues.h"

#include "ooxml/xlsxcellref.h"
#include "ooxml/xlsxerror.h"
#include "ooxml/xlsxpackage.h"
#include "ooxml/xlsxxml.h"
#include "ooxml/ziperror.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// The text of a string item: its runs in order, leaving out phonetic guides.
QString stringItemText(pugi::xml_node item) {
    QString text;
    for (pugi::xml_node node = item.first_child(); node; node = node.next_sibling()) {
        const std::string_view name = XlsxXml::localName(node);
        if (name == "t") {
            text += XlsxXml::text(node);
        } else if (name == "r") {
            text += XlsxXml::text(XlsxXml::child(node, "t"));
        }
    }
    return text;
}

QStringList sharedStrings(XlsxPackage& package) {
    QStringList strings;
    for (const XlsxPackage::Relationship& link : package.relationships(package.workbookPart())) {
        if (!XlsxPackage::hasType(link, u"sharedStrings") || !link.target ||
            !package.find(*link.target)) {
            continue;
        }
        pugi::xml_node root = package.root(*link.target);
        for (pugi::xml_node item = XlsxXml::child(root, "si"); item;
             item = XlsxXml::nextSibling(item, "si")) {
            strings.append(stringItemText(item));
        }
    }
    return strings;
}

QString cellText(pugi::xml_node cell, const QStringList& strings) {
    const QString type = XlsxXml::attribute(cell, "t");
    if (type == u"inlineStr"_s) {
        return stringItemText(XlsxXml::child(cell, "is"));
    }
    const QString value = XlsxXml::text(XlsxXml::child(cell, "v"));
    if (type == u"s"_s) {
        bool ok = false;
        const int at = value.trimmed().toInt(&ok);
        if (!ok || at < 0 || at >= strings.size()) {
            throw XlsxError(u"a cell refers to a shared string that is not there"_s);
        }
        return strings[at];
    }
    return value;
}

std::vector<XlsxSheetValues::Row> readRows(XlsxPackage& package, qsizetype maxRows,
                                           int maxColumns) {
    const std::vector<XlsxPackage::Sheet> sheets = package.sheets();
    if (sheets.empty()) {
        throw XlsxError(u"the workbook holds no worksheet"_s);
    }
    const QStringList strings = sharedStrings(package);
    pugi::xml_node data =
        XlsxXml::child(package.root(package.sheetPart(sheets.front())), "sheetData");
    std::vector<XlsxSheetValues::Row> rows;
    int rowNumber = 0;
    for (pugi::xml_node row = XlsxXml::child(data, "row"); row;
         row = XlsxXml::nextSibling(row, "row")) {
        const QString given = XlsxXml::attribute(row, "r");
        rowNumber = given.isEmpty() ? rowNumber + 1 : given.toInt();
        if (rowNumber < 1 || rowNumber > XlsxCellRef::kMaxRow) {
            throw XlsxError(u"a row number is outside the sheet"_s);
        }
        if (qsizetype(rows.size()) >= maxRows) {
            throw XlsxError(u"the sheet holds more than %1 rows"_s.arg(maxRows));
        }
        XlsxSheetValues::Row values{rowNumber, {}};
        int column = 0;
        for (pugi::xml_node cell = XlsxXml::child(row, "c"); cell;
             cell = XlsxXml::nextSibling(cell, "c")) {
            const QString address = XlsxXml::attribute(cell, "r");
            if (address.isEmpty()) {
                ++column;
            } else if (const auto ref = XlsxCellRef::parse(address)) {
                column = ref->column();
            } else {
                throw XlsxError(u"the cell address \"%1\" is not valid"_s.arg(address));
            }
            if (column > maxColumns) {
                throw XlsxError(u"a row holds more than %1 columns"_s.arg(maxColumns));
            }
            while (values.cells.size() < column) {
                values.cells.append(QString());
            }
            values.cells[column - 1] = cellText(cell, strings);
        }
        rows.push_back(std::move(values));
    }
    return rows;
}

}  // namespace

std::vector<XlsxSheetValues::Row> XlsxSheetValues::read(const QString& path, qsizetype maxRows,
                                                        int maxColumns) {
    try {
        return readRows(*XlsxPackage::readFile(path), maxRows, maxColumns);
    } catch (const XlsxError& error) {
        if (!error.file().isEmpty()) {
            throw;
        }
        throw XlsxError(path, error.reason());
    } catch (const ZipError& error) {
        throw XlsxError(path, error.reason());
    }
}

}  // namespace veskplan
