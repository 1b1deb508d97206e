#include "controller/printcommand.h"

#include "base/error.h"
#include "base/texts.h"
#include "controller/projectgridstate.h"
#include "controller/userport.h"
#include "controller/viewrequests.h"
#include "print/quantitytablepainter.h"
#include "project/countylookup.h"
#include "project/projectdocument.h"

namespace veskplan {

QuantityTable PrintCommand::table(const QString& countyName) const {
    const HeaderFields& header = document_.header();
    return QuantityTable::build(
        header.projNum, document_.fileName(), locale_.toString(today_(), QLocale::ShortFormat),
        countyName, header.designer, header.letMonthText(), document_.categories().descriptions(),
        document_.items().records(IndexOrder::BridgeKey));
}

CommandOutcome PrintCommand::run() {
    Q_EMIT requests_.commitTypingRequested();
    const std::unique_ptr<PrintTarget> target = port_.choosePrinter();
    if (!target) {
        return CommandOutcome::cancelled();
    }
    // The county is kept only once the pages are printed: a closed preview changes nothing.
    const QString county = county_.lookUp(document_.header().projNum);
    bool printed = false;
    try {
        printed = QuantityTablePainter::print(table(county), *target);
    } catch (const Error& error) {
        return report(port_, CommandOutcome::failed(error.message()));
    }
    if (!printed) {
        return CommandOutcome::cancelled();
    }
    county_.keep(county);
    grid_.returnToWorkingOrder(document_.items());
    port_.inform(texts::donePrinting());
    return CommandOutcome::written(QString());
}

}  // namespace veskplan
