#include "export/cadexport.h"

#include <QDir>

#include "export/fixedcolumntext.h"
#include "export/itemlines.h"
#include "shell/error.h"
#include "shell/numbertext.h"
#include "shell/texts.h"
#include "shell/workspace.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

int groupCount(CadExport::Kind kind, int highest) {
    if (highest == 1) {
        return 1;
    }
    if (kind == CadExport::Kind::RoadCad && highest >= 3 && highest <= 5) {
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

QString CadExport::tabName(Kind kind, bool english, int highest) {
    if (kind == Kind::BridgeCad) {
        return (english ? u"vesk"_s : u"mvesk"_s) + QString::number(highest);
    }
    const QChar table = highest == 1 ? u'A' : highest == 2 ? u'B' : u'C';
    return u"100-1"_s + table + (english ? u"E"_s : QString());
}

QString CadExport::layoutLine(Kind kind, int highest) {
    QString line = QString(3, u'D') + u' ' + QString(14, u'D') + u' ' + QString(50, u'D') + u' ' +
                   QString(6, u'D');
    const QString group = u' ' + QString(10, u'D');
    for (int g = groupCount(kind, highest); g > 0; --g) {
        line += group;
    }
    return line;
}

int CadExport::totalColumn(Kind kind, int highest) {
    if (highest <= 1) {
        return 0;
    }
    if (kind == Kind::RoadCad && highest >= 3 && highest <= 5) {
        return quantityColumn(6);  // 133
    }
    return quantityColumn(highest + 1);
}

QByteArray CadExport::render(Kind kind, bool english, const std::vector<ProjectRecord>& records,
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

ExportOutcome CadExport::mnuExpRCAD_Click() {
    bridgeCAD = 0;
    return exportCAD();
}

ExportOutcome CadExport::mnuExpBCAD_Click() {
    bridgeCAD = 1;
    return exportCAD();
}

ExportOutcome CadExport::exportCAD() {
    ws_.port.commitPendingEdits();
    const Kind kind = bridgeCAD == 1 ? Kind::BridgeCad : Kind::RoadCad;
    FileDialogRequest dialog;
    dialog.mode = FileDialogRequest::Mode::Save;
    dialog.title = kind == Kind::RoadCad ? texts::roadCadTitle() : texts::bridgeCadTitle();
    dialog.filters =
        QStringList{texts::allFilesFilter(),
                    kind == Kind::RoadCad ? texts::roadCadFilter() : texts::bridgeCadFilter()};
    dialog.selectedFilter = 1;
    dialog.directory = ws_.config.lastDir;
    if (!ws_.flags.projFile.isEmpty()) {
        dialog.fileName =
            ws_.flags.projFile.chopped(std::min<qsizetype>(4, ws_.flags.projFile.size())) +
            u".txt"_s;
    }
    const auto chosen = ws_.chooseFile(dialog);
    if (!chosen) {
        return ExportOutcome::cancelled();
    }
    const QByteArray bytes =
        render(kind, ws_.engMet == 0, ws_.store->records(IndexOrder::BridgeKey),
               ws_.locale.decimalPoint().at(0));
    try {
        exportsupport::writeFile(*chosen, bytes);
    } catch (const Error& error) {
        exportsupport::restoreWorkingOrder(ws_);
        return exportsupport::report(ws_, ExportOutcome::failed(error.message()));
    }
    exportsupport::restoreWorkingOrder(ws_);
    ws_.port.inform((kind == Kind::RoadCad ? texts::roadCadSaved() : texts::bridgeCadSaved()) +
                    QDir::toNativeSeparators(*chosen));
    return ExportOutcome::written(*chosen);
}

}  // namespace veskplan
