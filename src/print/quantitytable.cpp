#include "print/quantitytable.h"

#include "base/fixedcolumntext.h"
#include "base/numbertext.h"
#include "project/itemlines.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

QString figure(double value) {
    return numbertext::oneDecimal(value).rightJustified(QuantityTable::kFieldWidth, u' ');
}

void writeHeader(FixedColumnText& text, const QuantityTable& table, const QString& projNum,
                 const QString& fileName, const QString& dateText, const QString& countyName,
                 const QString& designer, const QString& letMonth) {
    text.endLine();  // the empty first line, printed before the fixed-pitch font is chosen
    text.place(1, u"Project: "_s + projNum);
    text.place(34, u"Filename: "_s + fileName);
    text.place(110, dateText);
    text.endLine();
    text.place(1, u"County: "_s + countyName);
    text.place(34, u"Designer: "_s + designer);
    text.place(65, u"Letting Month: "_s + letMonth);
    text.endLine();
    text.endLine();

    const int highest = table.highestCategory;
    text.append(u"ITEM CODE     ITEM DESCRIPTION                                       UNIT");
    if (highest >= 2) {
        for (int n = 1; n <= highest; ++n) {
            text.append(u"  CATEGORY "_s + QString::number(n));
        }
    }
    text.append(u"      TOTAL");
    text.endLine();
    text.append(u"------------  -----------------------------------------------------  ----");
    if (highest >= 2) {
        for (int n = 1; n <= highest; ++n) {
            text.append(u"  ----------");
        }
    }
    text.append(u"  ---------");
    text.endLine();
}

}  // namespace

QByteArray QuantityTable::text() const {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    return bytes;
}

QuantityTable QuantityTable::build(const QString& projNum, const QString& fileName,
                                   const QString& dateText, const QString& countyName,
                                   const QString& designer, const QString& letMonth,
                                   const QStringList& categoryDescriptions,
                                   const std::vector<ProjectRecord>& bridgeOrdered) {
    QuantityTable table;
    table.highestCategory = itemlines::highestCategory(bridgeOrdered);
    table.landscape = table.highestCategory > 2;
    const int highest = table.highestCategory;

    FixedColumnText text;
    writeHeader(text, table, projNum, fileName, dateText, countyName, designer, letMonth);

    bool first = true;
    for (const ItemLine& line : itemlines::merge(bridgeOrdered)) {
        if (!first) {
            text.endLine();  // one empty line between item lines
        }
        first = false;
        text.place(1, line.first.itemNumber);
        text.place(15, line.first.description);
        text.place(70, line.first.units);
        for (const ItemLine::Entry& entry : line.entries) {
            text.place(quantityColumn(entry.category), figure(entry.quantity.value_or(0.0)));
        }
        if (highest >= 2) {
            text.place(quantityColumn(highest + 1), figure(line.total));
        }
        text.endLine();
    }

    // An empty project gets the same single empty line as a one-category table before its
    // legend.
    text.endLine();
    if (highest >= 2) {
        text.endLine();
    }
    for (int n = 1; n <= highest; ++n) {
        // A category beyond the list (a file from another tool) has no description to show.
        const QString description =
            n <= categoryDescriptions.size() ? categoryDescriptions[n - 1] : QString();
        text.append(u"Category "_s + QString::number(n) + u": "_s + description);
        text.endLine();
    }
    table.lines = text.lines();
    return table;
}

}  // namespace veskplan
