#include "controller/exportcommands.h"

#include <QDir>
#include <algorithm>

#include "base/apppaths.h"
#include "base/configuration.h"
#include "base/error.h"
#include "base/filewriting.h"
#include "base/texts.h"
#include "controller/busycursor.h"
#include "controller/controllertexts.h"
#include "controller/filedialogs.h"
#include "controller/projectediting.h"
#include "controller/projectgridstate.h"
#include "controller/userport.h"
#include "controller/viewrequests.h"
#include "master/mastersession.h"
#include "project/countylookup.h"
#include "project/exportcheck.h"
#include "project/projectdocument.h"
#include "project/revisioncheck.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// A message box holds this many findings; the rest are counted.
constexpr int kShown = 15;

QString findingLine(const ExportCheck& check) {
    return (check.severity == ExportCheck::Error ? u"Error: "_s : u"Warning: "_s) + check.text();
}

}  // namespace

bool ExportCommands::passChecks() {
    const std::vector<ProjectRecord> items = document_.items().records(IndexOrder::PrimaryKey);
    const std::vector<ExportCheck> checks = checkBeforeExport(
        items, document_.header().projNum, document_.header().letMonth,
        master_.loadFailed() ? nullptr : &master_.list(), &document_.quantityReviews());
    if (checks.empty()) {
        return true;
    }
    int errors = 0;
    QStringList lines;
    for (const ExportCheck& check : checks) {
        errors += check.severity == ExportCheck::Error ? 1 : 0;
        if (lines.size() < kShown) {
            lines.append(findingLine(check));
        }
    }
    if (checks.size() > kShown) {
        lines.append(u"... and "_s + QString::number(checks.size() - kShown) + u" more"_s);
    }
    const int warnings = static_cast<int>(checks.size()) - errors;
    MessageRequest question{texts::checksQuestion(errors, warnings, lines.join(u'\n')),
                            texts::checksTitle(), MessageButtons::ExportAnywayGoBack,
                            errors > 0 ? MessageIcon::Exclamation : MessageIcon::Information};
    if (errors > 0) {
        question.defaultAnswer = Answer::GoBack;  // Enter never exports past an error
    }
    if (port_.showMessage(question) == Answer::ExportAnyway) {
        return true;
    }
    // Back in the window, the first item found wanting (the first error, when there are any)
    // is the one to look at.
    const auto first = std::find_if(checks.begin(), checks.end(), [errors](const ExportCheck& c) {
        return c.item >= 0 && (errors == 0 || c.severity == ExportCheck::Error);
    });
    if (first != checks.end()) {
        const int row = document_.items().rowOfKey(items[static_cast<size_t>(first->item)]);
        if (row >= 0) {
            Q_EMIT requests_.focusRequested(u"projItemDB"_s);
            editing_.setCurrentCell(row, ProjectGridModel::ItemNumberColumn);
        }
    }
    return false;
}

ExportInput ExportCommands::inputFor(const ExportFormat& format) const {
    ExportInput input;
    input.header = document_.header();
    input.projectFile = document_.fileName();
    input.english = unitAt(master_.unitIndex()) == Unit::English;
    input.decimalPoint = locale_.decimalPoint().at(0);
    input.seedWorkbook = seedWorkbook_;
    input.items = document_.items().records(format.itemOrder(grid_.order()));
    if (format.namesCounty) {
        input.county = county_.lookUp(input.header.projNum);
    }
    return input;
}

FileDialogRequest ExportCommands::dialogFor(const ExportFormat& format,
                                            const ExportInput& input) const {
    FileDialogRequest dialog;
    dialog.mode = FileDialogRequest::Mode::Save;
    dialog.title = format.dialogTitle;
    dialog.filters = format.filters;
    dialog.selectedFilter = static_cast<int>(format.filters.size()) - 1;
    dialog.defaultSuffix = format.suffix;
    if (format.folder == ExportFormat::Folder::LettingMonth) {
        dialog.directory = joinPath(config_.tsptDir, input.header.letMonthText());
    } else if (format.folder == ExportFormat::Folder::LastUsed) {
        dialog.directory = config_.lastDir;
    }
    dialog.fileName = format.proposedName(input);
    return dialog;
}

CommandOutcome ExportCommands::exportAs(ExportFormat::Id id) {
    const ExportFormat& format = exportFormat(id);
    Q_EMIT requests_.commitTypingRequested();
    const ExportInput input = inputFor(format);
    if (const std::optional<QString> refusal = format.refusal(input.items)) {
        return report(port_, CommandOutcome::refused(*refusal));
    }
    if (format.itemChecks && !passChecks()) {
        return CommandOutcome::cancelled();
    }
    // A file that cannot be made is told before a name is asked for.
    QByteArray bytes;
    try {
        BusyCursor busy(busy_);
        bytes = format.render(input);
    } catch (const Error& error) {
        return report(port_, CommandOutcome::failed(error.message()));
    }
    const auto chosen = dialogs_.choose(dialogFor(format, input));
    if (!chosen) {
        return CommandOutcome::cancelled();
    }
    if (format.namesCounty) {
        county_.keep(input.county);
    }
    // A file written in an order of its own leaves the grid in its working order, as a print
    // does.
    if (format.order != ExportFormat::Order::Shown) {
        grid_.showWorkingOrder();
    }
    try {
        BusyCursor busy(busy_);
        writeFileAtomically(*chosen, bytes);
    } catch (const Error& error) {
        return report(port_, CommandOutcome::failed(error.message()));
    }
    port_.inform(format.savedMessage + QDir::toNativeSeparators(*chosen));
    return CommandOutcome::written(*chosen);
}

}  // namespace veskplan
