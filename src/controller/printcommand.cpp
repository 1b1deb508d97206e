#include "controller/printcommand.h"

#include <QDir>
#include <QFileInfo>

#include "base/apppaths.h"
#include "base/error.h"
#include "base/settingsstore.h"
#include "controller/controllertexts.h"
#include "controller/filedialogs.h"
#include "controller/projectgridstate.h"
#include "controller/userport.h"
#include "controller/viewrequests.h"
#include "print/papersize.h"
#include "print/pdfprinttarget.h"
#include "print/quantitytablepainter.h"
#include "project/countylookup.h"
#include "project/projectdocument.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

QString pdfExportTitle() {
    return u"Export Quantity Table as PDF"_s;
}
QString pdfFilter() {
    return u"PDF Files (*.pdf)"_s;
}
QString pdfSaved(const QString& path) {
    return u"Quantity table saved as "_s + path;
}

}  // namespace

QuantityTable PrintCommand::table(const QString& countyName) const {
    const HeaderFields& header = document_.header();
    return QuantityTable::build(
        header.projNum, document_.fileName(), locale_.toString(today_(), QLocale::ShortFormat),
        countyName, header.designer, header.letMonthText(), document_.categories().descriptions(),
        document_.items().records(IndexOrder::BridgeKey));
}

bool PrintCommand::printOn(PrintTarget& target) {
    // The county is kept only once the pages are printed: a closed preview changes nothing.
    const QString county = county_.lookUp(document_.header().projNum);
    if (!QuantityTablePainter::print(table(county), target)) {
        return false;
    }
    county_.keep(county);
    grid_.showWorkingOrder();
    return true;
}

CommandOutcome PrintCommand::run() {
    Q_EMIT requests_.commitTypingRequested();
    const std::unique_ptr<PrintTarget> target = port_.choosePrinter();
    if (!target) {
        return CommandOutcome::cancelled();
    }
    try {
        if (!printOn(*target)) {
            return CommandOutcome::cancelled();
        }
    } catch (const Error& error) {
        return report(port_, CommandOutcome::failed(error.message()));
    }
    port_.inform(texts::donePrinting());
    return CommandOutcome::written(QString());
}

CommandOutcome PrintCommand::exportPdf() {
    Q_EMIT requests_.commitTypingRequested();
    const QString folderKey = u"print/pdfFolder"_s;
    FileDialogRequest dialog;
    dialog.mode = FileDialogRequest::Mode::Save;
    dialog.title = pdfExportTitle();
    dialog.filters = QStringList{texts::allFilesFilter(), pdfFilter()};
    dialog.selectedFilter = 1;
    dialog.defaultSuffix = u"pdf"_s;
    dialog.directory = settings_.text(folderKey);
    const QString& projectFile = document_.fileName();
    if (!projectFile.isEmpty()) {
        dialog.fileName = QFileInfo(projectFile).completeBaseName() + u".pdf"_s;
    }
    const auto chosen = dialogs_.choose(dialog);
    if (!chosen) {
        return CommandOutcome::cancelled();
    }
    settings_.setValue(folderKey, directoryOf(*chosen));
    try {
        PdfPrintTarget target(*chosen, defaultPaperSize(locale_));
        printOn(target);
    } catch (const Error& error) {
        return report(port_, CommandOutcome::failed(error.message()));
    }
    port_.inform(pdfSaved(QDir::toNativeSeparators(*chosen)));
    return CommandOutcome::written(*chosen);
}

}  // namespace veskplan
