#include "controller/exportcommands.h"

#include <QDir>
#include <algorithm>
#include <optional>

#include "base/apppaths.h"
#include "base/configuration.h"
#include "base/error.h"
#include "controller/busycursor.h"
#include "controller/controllertexts.h"
#include "controller/filedialogs.h"
#include "controller/projectediting.h"
#include "controller/projectgridstate.h"
#include "controller/userport.h"
#include "controller/viewrequests.h"
#include "export/exporttexts.h"
#include "export/tabfillexport.h"
#include "export/trnsportexport.h"
#include "master/mastersession.h"
#include "ooxml/xlsxerror.h"
#include "ooxml/xlsxworkbook.h"
#include "project/countylookup.h"
#include "project/exportcheck.h"
#include "project/itemlines.h"
#include "project/projectdocument.h"
#include "project/revisioncheck.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// A message box holds this many findings; the rest are counted.
constexpr int kShown = 15;

QString findingLine(const ExportCheck& check) {
    const QString severity = check.severity == ExportCheck::Error ? u"Error"_s : u"Warning"_s;
    if (check.itemNumber.isEmpty()) {
        return severity + u": "_s + check.message;
    }
    return severity + u": "_s + revisioncheck::withoutMark(check.itemNumber).trimmed().toString() +
           u" (category "_s + check.category + u"): "_s + check.message;
}

FileDialogRequest saveDialog(const QString& title, QStringList filters, QString defaultSuffix) {
    FileDialogRequest dialog;
    dialog.mode = FileDialogRequest::Mode::Save;
    dialog.title = title;
    dialog.selectedFilter = filters.size() - 1;
    dialog.filters = std::move(filters);
    dialog.defaultSuffix = std::move(defaultSuffix);
    return dialog;
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

ChangeNotice ExportCommands::changeNotice() {
    return {noticeDepth_, [this] { Q_EMIT changed(); }};
}

CommandOutcome ExportCommands::told(const QString& savedAs, const QString& path) {
    port_.inform(savedAs + QDir::toNativeSeparators(path));
    return CommandOutcome::written(path);
}

CommandOutcome ExportCommands::trnsport() {
    const ChangeNotice notice = changeNotice();
    Q_EMIT requests_.commitTypingRequested();
    if (!passChecks()) {
        return CommandOutcome::cancelled();
    }
    const HeaderFields& header = document_.header();
    FileDialogRequest dialog =
        saveDialog(texts::trnsportTitle(), {texts::allFilesFilter()}, u"txt"_s);
    dialog.directory = joinPath(config_.tsptDir, header.letMonthText());
    dialog.fileName = TrnsportExport::defaultFileName(header.projNum);
    const auto chosen = dialogs_.choose(dialog);
    if (!chosen) {
        return CommandOutcome::cancelled();
    }
    county_.keep(county_.lookUp(header.projNum));
    const RecordStore& items = document_.items();
    try {
        TrnsportExport::write(*chosen, header.projNum, county_.name(), header.designer,
                              items.records(items.index()));
    } catch (const Error& error) {
        return report(port_, CommandOutcome::failed(error.message()));
    }
    return told(texts::trnsportSaved(), *chosen);
}

CommandOutcome ExportCommands::cad(CadKind kind) {
    const ChangeNotice notice = changeNotice();
    Q_EMIT requests_.commitTypingRequested();
    if (!passChecks()) {
        return CommandOutcome::cancelled();
    }
    const bool road = kind == CadKind::RoadCad;
    FileDialogRequest dialog = saveDialog(
        road ? texts::roadCadTitle() : texts::bridgeCadTitle(),
        {texts::allFilesFilter(), road ? texts::roadCadFilter() : texts::bridgeCadFilter()},
        u"txt"_s);
    dialog.directory = config_.lastDir;
    const QString& projectFile = document_.fileName();
    if (!projectFile.isEmpty()) {
        dialog.fileName =
            projectFile.chopped(std::min<qsizetype>(4, projectFile.size())) + u".txt"_s;
    }
    const auto chosen = dialogs_.choose(dialog);
    if (!chosen) {
        return CommandOutcome::cancelled();
    }
    RecordStore& items = document_.items();
    try {
        CadExport::write(*chosen, kind, master_.engMet() == 0, items.records(IndexOrder::BridgeKey),
                         locale_.decimalPoint().at(0));
    } catch (const Error& error) {
        grid_.returnToWorkingOrder(items);
        return report(port_, CommandOutcome::failed(error.message()));
    }
    grid_.returnToWorkingOrder(items);
    return told(road ? texts::roadCadSaved() : texts::bridgeCadSaved(), *chosen);
}

CommandOutcome ExportCommands::tabfill() {
    const ChangeNotice notice = changeNotice();
    Q_EMIT requests_.commitTypingRequested();
    RecordStore& items = document_.items();
    const std::vector<ProjectRecord> records = items.records(IndexOrder::BridgeKey);
    const int highest = itemlines::highestCategory(records);
    if (highest > TabfillExport::kLargestTable) {
        return report(port_, CommandOutcome::refused(texts::tabfillTooManyCategories()));
    }
    if (!passChecks()) {
        return CommandOutcome::cancelled();
    }
    std::optional<XlsxWorkbook> workbook;
    try {
        workbook = TabfillExport::prepare(seedWorkbook_, master_.engMet() == 0, highest);
    } catch (const XlsxError& error) {
        return report(port_, CommandOutcome::failed(
                                 texts::workbookNotMade(QString::fromStdString(error.what()))));
    }
    FileDialogRequest dialog = saveDialog(
        texts::tabfillTitle(), {texts::allFilesFilter(), texts::tabfillFilter()}, u"xlsx"_s);
    dialog.fileName = TabfillExport::tabName(highest) + u".xlsx"_s;
    const auto chosen = dialogs_.choose(dialog);
    if (!chosen) {
        return CommandOutcome::cancelled();
    }
    try {
        BusyCursor busy(busy_);
        TabfillExport::write(*workbook, records, *chosen);
    } catch (const Error& error) {
        grid_.returnToWorkingOrder(items);
        return report(port_, CommandOutcome::failed(error.message()));
    }
    grid_.returnToWorkingOrder(items);
    return told(texts::tabfillSaved(), *chosen);
}

}  // namespace veskplan
