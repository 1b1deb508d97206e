#pragma once

#include "ooxml/xlsxcellref.h"
#include "ooxml/xlsxformula.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <pugixml.hpp>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace veskplan {

// One worksheet part opened for editing: sets cell values in place so that everything else
// in the part (styles, merged cells, page setup, formulas elsewhere) stays as it was.
class XlsxSheet {
public:
    // Parses the part. Throws XlsxError (without a file) when it is not a worksheet, or when
    // rows or cells are not in ascending order, which no reader accepts either. Formulas lose
    // their stored results, which the edits may make wrong.
    XlsxSheet(QByteArrayView xml, const QString& part);
    ~XlsxSheet();
    XlsxSheet(const XlsxSheet&) = delete;
    XlsxSheet& operator=(const XlsxSheet&) = delete;

    // Both make the cell if it is missing (in row and column order) and replace whatever value
    // or formula it held; its style stays. A new cell takes the style of its row or column,
    // as a cell typed into there would. Throws XlsxError for a value no workbook can hold (not
    // finite, text over 32767 characters) and for a cell inside another cell's array formula.
    void setNumber(XlsxCellRef cell, double value);
    // Text is stored as an inline string. Empty text leaves the cell blank.
    void setText(XlsxCellRef cell, QStringView text);

    // Renames sheet prefixes in every formula of the sheet and in its hyperlink targets.
    void renameSheets(const XlsxFormula::SheetMap& sheets);

    // Marks the sheet as the selected tab, for when it is the only one left.
    void select();

    QByteArray toXml() const;

    // Shortest text that reads back as the same double ("4.5", "1e-07"); -0 is written as 0.
    static QByteArray formatNumber(double value);
    // Text in the escaped form cells store: characters XML cannot carry become _xHHHH_, and an
    // underscore that would read as such an escape is itself escaped as _x005F_.
    static QString escapeText(QStringView text);

private:
    struct Block {
        int top;
        int left;
        int bottom;
        int right;
        int masterRow;
        int masterColumn;
    };
    struct ColumnStyle {
        int min;
        int max;
        std::string style;
    };

    std::string name(const char* local) const { return prefix_ + local; }
    void indexRows();
    pugi::xml_node prepareCell(XlsxCellRef ref);
    pugi::xml_node findOrAddRow(int row);
    pugi::xml_node findOrAddCell(pugi::xml_node row, XlsxCellRef ref);
    void clearCell(pugi::xml_node cell, XlsxCellRef ref);
    void dissolveSharedFormula(pugi::xml_node formula, XlsxCellRef master);
    void extendDimension(XlsxCellRef ref);

    std::unique_ptr<pugi::xml_document> document_;
    QString part_;
    std::string prefix_;
    pugi::xml_node sheetData_;
    std::map<int, pugi::xml_node> rows_;
    std::vector<ColumnStyle> columnStyles_;
    std::vector<Block> arrays_;
    std::optional<std::pair<XlsxCellRef, XlsxCellRef>> extent_;
};

}  // namespace veskplan
