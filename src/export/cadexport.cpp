#include "export/cadexport.h"

#include <cmath>

#include "base/fixedcolumntext.h"
#include "base/numbertext.h"
#include "project/itemlines.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

int groupCount(CadKind kind, int highest) {
    if (highest == 1) {
        return 1;
    }
    if (kind == CadKind::RoadCad && highest >= 3 && highest <= 5) {
        return 6;  // the largest Road CAD table: five categories and the total
    }
    return highest + 1;
}

// A quantity as the drawing application reads it: one blank (or the minus sign) before the
// digits, one blank after.
QString quantityText(double value, QChar decimalPoint) {
    const QString digits = numbertext::shortest(std::fabs(value), decimalPoint);
    return (value < 0 ? u"-"_s : u" "_s) + digits + u' ';
}

}  // namespace

QString CadExport::tabName(CadKind kind, bool english, int highest) {
    if (kind == CadKind::BridgeCad) {
        return (english ? u"vesk"_s : u"mvesk"_s) + QString::number(highest);
    }
    const QChar table = highest == 1 ? u'A' : highest == 2 ? u'B' : u'C';
    return u"100-1"_s + table + (english ? u"E"_s : QString());
}

QString CadExport::layoutLine(CadKind kind, int highest) {
    QString line = QString(3, u'D') + u' ' + QString(14, u'D') + u' ' + QString(50, u'D') + u' ' +
                   QString(6, u'D');
    const QString group = u' ' + QString(10, u'D');
    for (int g = groupCount(kind, highest); g > 0; --g) {
        line += group;
    }
    return line;
}

int CadExport::totalColumn(CadKind kind, int highest) {
    if (highest <= 1) {
        return 0;
    }
    if (kind == CadKind::RoadCad && highest >= 3 && highest <= 5) {
        return quantityColumn(6);  // 133
    }
    return quantityColumn(highest + 1);
}

QByteArray CadExport::render(CadKind kind, bool english, const std::vector<ProjectRecord>& records,
                             QChar decimalPoint) {
    const int highest = itemlines::highestCategory(records);
    FixedColumnText text;
    text.append(tabName(kind, english, highest));
    text.endLine();
    text.append(layoutLine(kind, highest));
    text.endLine();
    const int total = totalColumn(kind, highest);
    int lineNumber = 0;
    for (const ItemLine& line : itemlines::merge(records)) {
        text.place(1, QString::number(++lineNumber));
        text.place(5, line.first.itemNumber);
        text.place(20, line.first.description);
        text.place(71, line.first.units);
        for (const ItemLine::Entry& entry : line.entries) {
            text.place(quantityColumn(entry.category),
                       entry.quantity ? quantityText(*entry.quantity, decimalPoint) : u"0"_s);
        }
        if (total > 0) {
            text.place(total, numbertext::shortest(line.total));
        }
        text.endLine();
    }
    return text.windows1252();
}

}  // namespace veskplan
