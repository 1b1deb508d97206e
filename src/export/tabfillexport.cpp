#include "export/tabfillexport.h"

#include "base/error.h"
#include "base/numbertext.h"
#include "base/texts.h"
#include "export/exporttexts.h"
#include "ooxml/xlsxerror.h"
#include "ooxml/xlsxworkbook.h"
#include "project/itemlines.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

QString cell(char column, int row) {
    return QChar(char16_t(column)) + QString::number(row);
}

// The quantity column of categories 1 to 5 ("E" to "I"); 0 for any other category.
char quantityColumn(int category) {
    return category >= 1 && category <= TabfillExport::kLargestTable
               ? static_cast<char>('E' + category - 1)
               : 0;
}

// Runs f, whose workbook errors are told as the export's own.
template <typename F>
decltype(auto) made(F&& f) {
    try {
        return f();
    } catch (const XlsxError& error) {
        throw Error(texts::workbookNotMade(QString::fromStdString(error.what())));
    }
}

}  // namespace

QString TabfillExport::templateSheet(bool english, int highest) {
    return (english ? u"e"_s : u"m"_s) + tabName(highest);
}

QString TabfillExport::tabName(int highest) {
    return highest == 1 ? u"100-01a"_s : highest == 2 ? u"100-01b"_s : u"100-01c"_s;
}

void TabfillExport::fill(XlsxWorkbook& workbook, const std::vector<ProjectRecord>& records) {
    const int highest = itemlines::highestCategory(records);
    const char totalColumn = highest == 2 ? 'G' : 'J';
    int lineNumber = 0;
    for (const ItemLine& line : itemlines::merge(records)) {
        const int row = ++lineNumber + kFirstRow - 1;
        workbook.setText(cell('A', row), QString::number(lineNumber));
        workbook.setText(cell('B', row), line.first.itemNumber);
        workbook.setText(cell('C', row), line.first.description);
        workbook.setText(cell('D', row), line.first.units);
        for (size_t i = 0; i < line.entries.size(); ++i) {
            const ItemLine::Entry& entry = line.entries[i];
            // A record continuing a line never lands in the first category's column.
            const char column = quantityColumn(entry.category);
            if (entry.quantity && column != 0 && (i == 0 || entry.category >= 2)) {
                workbook.setNumber(cell(column, row), *entry.quantity);
            }
        }
        if (highest > 1) {
            workbook.setText(cell(totalColumn, row), numbertext::shortest(line.total));
        }
    }
}

XlsxWorkbook TabfillExport::prepare(const QString& seedWorkbook, bool english, int highest) {
    return made([&] {
        XlsxWorkbook workbook = XlsxWorkbook::open(seedWorkbook);
        workbook.keepOnlySheet(templateSheet(english, highest), u"Tabfill"_s);
        return workbook;
    });
}

QByteArray TabfillExport::render(const QString& seedWorkbook, bool english,
                                 const std::vector<ProjectRecord>& records) {
    XlsxWorkbook workbook = prepare(seedWorkbook, english, itemlines::highestCategory(records));
    return made([&] {
        fill(workbook, records);
        return workbook.toBytes();
    });
}

}  // namespace veskplan
