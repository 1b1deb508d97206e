#include "print/printcommand.h"

#include "export/countyfile.h"
#include "print/quantitytablepainter.h"
#include "shell/error.h"
#include "shell/texts.h"
#include "shell/workspace.h"

namespace veskplan {
namespace {

QString lookUpCounty(const Workspace& ws) {
    return countyfile::lookUp(ws.paths.countyFile(), ws.header.projNum, ws.countyName);
}

QuantityTable buildTable(const Workspace& ws, const QString& countyName) {
    return QuantityTable::build(
        ws.header.projNum, ws.flags.projFile, ws.locale.toString(ws.today(), QLocale::ShortFormat),
        countyName, ws.header.designer, ws.header.letMonthText(), ws.categories.descriptions(),
        ws.store->records(IndexOrder::BridgeKey));
}

}  // namespace

QuantityTable PrintCommand::tableFor(Workspace& ws) {
    ws.countyName = lookUpCounty(ws);
    return buildTable(ws, ws.countyName);
}

ExportOutcome PrintCommand::printProjList_Click() {
    ws_.port.commitPendingEdits();
    const std::unique_ptr<PrintTarget> target = ws_.port.choosePrinter();
    if (!target) {
        return ExportOutcome::cancelled();
    }
    // The county is kept only once the pages are printed: a closed preview changes nothing.
    const QString county = lookUpCounty(ws_);
    const QuantityTable table = buildTable(ws_, county);
    const QuantityTablePainter painter(table);
    bool printed = false;
    try {
        printed = target->print(table.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                [&painter](QPagedPaintDevice& device) { painter.paint(device); });
    } catch (const Error& error) {
        return exportsupport::report(ws_, ExportOutcome::failed(error.message()));
    }
    if (!printed) {
        return ExportOutcome::cancelled();
    }
    ws_.countyName = county;
    exportsupport::restoreWorkingOrder(ws_);
    ws_.port.inform(texts::donePrinting());
    return ExportOutcome::written(QString());
}

}  // namespace veskplan
