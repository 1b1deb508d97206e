#include "controller/cataloguecommands.h"

#include <set>

#include "base/error.h"
#include "base/filewriting.h"
#include "base/settingsstore.h"
#include "controller/controllertexts.h"
#include "controller/filedialogs.h"
#include "controller/projectediting.h"
#include "controller/userport.h"
#include "controller/viewrequests.h"
#include "master/mastersession.h"
#include "print/quantitytable.h"
#include "print/quantitytablepainter.h"
#include "project/projectdocument.h"
#include "project/projecttexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using cataloguecheck::Finding;

const QString kMappingKey = u"catalogue/mappingFile"_s;

// What Replace All takes over: what the list and the mapping file say, never a guess.
bool takesOver(const Finding& finding) {
    return finding.kind == Finding::Kind::UnitChanged ||
           finding.kind == Finding::Kind::DescriptionChanged ||
           (finding.kind == Finding::Kind::Retired && finding.replacement &&
            !CatalogueReport::isGuess(finding));
}

}  // namespace

CatalogueCommands::CatalogueCommands(ProjectDocument& document, const MasterSession& master,
                                     ProjectEditing& editing, SettingsStore& settings,
                                     FileDialogs& dialogs, UserPort& port, ViewRequests& requests,
                                     QObject* parent)
    : QObject(parent),
      document_(document),
      master_(master),
      editing_(editing),
      settings_(settings),
      dialogs_(dialogs),
      port_(port),
      requests_(requests) {}

QString CatalogueCommands::mappingFile() const {
    return settings_.text(kMappingKey);
}

QStringList CatalogueCommands::mappingProblems() const {
    QStringList problems = mapping_.problems();
    if (mappingUnusable_) {
        problems.prepend(*mappingUnusable_);
    }
    return problems;
}

void CatalogueCommands::check() {
    Q_EMIT requests_.commitTypingRequested();
    compare();
    if (report_.findings().empty()) {
        port_.inform(texts::catalogueNothingFound());
        return;
    }
    Q_EMIT windowRequested();
}

void CatalogueCommands::checkAfterOpen() {
    compare();
    const auto counts = report_.counts();
    if (counts[0] + counts[1] + counts[2] > 0) {
        Q_EMIT windowRequested();
    }
}

void CatalogueCommands::compare() {
    const QString file = mappingFile();
    const QStringList problemsBefore = mappingProblems();
    mapping_ = ItemMapping();
    mappingUnusable_.reset();
    try {
        if (!file.isEmpty()) {
            mapping_ = ItemMapping::read(file);
        }
    } catch (const Error& error) {
        mappingUnusable_ = error.message();
    }
    report_.setFindings(cataloguecheck::compare(document_.items().records(IndexOrder::PrimaryKey),
                                                master_.list(),
                                                mappingUnusable_ ? nullptr : &mapping_));
    if (mappingProblems() != problemsBefore) {
        Q_EMIT mappingChanged();
    }
    Q_EMIT reportChanged();
}

void CatalogueCommands::chooseMappingFile() {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.title = texts::chooseMappingTitle();
    request.filters = QStringList{texts::allFilesFilter(), texts::mappingFilter()};
    request.selectedFilter = 1;
    const auto chosen = dialogs_.choose(request);
    if (!chosen) {
        return;
    }
    settings_.setValue(kMappingKey, *chosen);
    compare();
    Q_EMIT mappingChanged();
    if (mappingUnusable_) {
        port_.warn(*mappingUnusable_);
    }
}

void CatalogueCommands::replace(int row) {
    if (!report_.isShownRow(row)) {
        return;
    }
    const Finding& finding = report_.shownFinding(row);
    if (CatalogueReport::isGuess(finding)) {
        const Answer answer = port_.showMessage(MessageRequest{
            texts::catalogueGuessQuestion(cataloguecheck::shownNumber(finding.record.itemNumber),
                                          finding.replacement->itemNumber.trimmed(),
                                          finding.replacement->description.trimmed()),
            texts::catalogueTitle(), MessageButtons::YesNo, MessageIcon::Question});
        if (answer != Answer::Yes) {
            return;
        }
    }
    takeOver({&finding});
}

void CatalogueCommands::replaceAll() {
    std::vector<const Finding*> chosen;
    for (const Finding& finding : report_.findings()) {
        if (takesOver(finding)) {
            chosen.push_back(&finding);
        }
    }
    takeOver(chosen);
}

void CatalogueCommands::takeOver(const std::vector<const Finding*>& chosen) {
    const std::vector<ProjectRecord> items = document_.items().records(IndexOrder::PrimaryKey);
    // Each finding is taken over on what the ones before it made of the items: two findings of
    // one item add up, and two items are not given one number in one category.
    std::vector<ProjectRecord> taken = items;
    std::set<int> changed;
    QStringList refusals;
    for (const Finding* finding : chosen) {
        const cataloguecheck::TakeOver takeOver =
            cataloguecheck::replacementChange(*finding, taken);
        if (!takeOver.change) {
            refusals.append(cataloguecheck::comparedNumber(finding->record.itemNumber) + u": "_s +
                            takeOver.refusal);
            continue;
        }
        taken[static_cast<size_t>(finding->position)] = takeOver.change->second;
        changed.insert(finding->position);
    }
    std::vector<std::pair<ProjectRecord, ProjectRecord>> pairs;
    for (const int position : changed) {
        pairs.emplace_back(items[static_cast<size_t>(position)],
                           taken[static_cast<size_t>(position)]);
    }
    const ProjectDocument::EditResult result = document_.replaceItems(pairs, texts::replaceStep());
    if (result.kind == ProjectDocument::EditResult::Kind::AlreadyInProject) {
        refusals.append(texts::itemAlreadyInProject().section(u'\n', 1));
    } else if (result.kind == ProjectDocument::EditResult::Kind::Failed) {
        refusals.append(result.reason);
    }
    compare();
    if (!refusals.isEmpty()) {
        port_.inform(texts::replacementsRefused(refusals));
    }
}

int CatalogueCommands::projectRowOf(int row) const {
    return report_.isShownRow(row) ? document_.items().rowOfKey(report_.shownFinding(row).record)
                                   : -1;
}

void CatalogueCommands::goToItem(int row) {
    const int projectRow = projectRowOf(row);
    if (projectRow >= 0) {
        // The focus moves once the grid shows its new current cell.
        Q_EMIT requests_.focusRequested(u"projItemDB"_s);
        editing_.setCurrentCell(projectRow, ProjectGridModel::ItemNumberColumn);
    }
}

void CatalogueCommands::saveCsv() {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = texts::catalogueTitle();
    request.filters = QStringList{texts::allFilesFilter(), texts::catalogueFilter()};
    request.selectedFilter = 1;
    request.defaultSuffix = u"csv"_s;
    const auto chosen = dialogs_.choose(request);
    if (!chosen) {
        return;
    }
    try {
        writeFileAtomically(*chosen, cataloguecheck::toCsv(report_.findings()));
    } catch (const Error& error) {
        port_.warn(error.message());
    }
}

void CatalogueCommands::print() {
    const std::unique_ptr<PrintTarget> target = port_.choosePrinter();
    if (!target) {
        return;
    }
    // The report as lines of text in fixed columns, on landscape pages as wide as they need.
    QuantityTable table;
    table.landscape = true;
    table.lines.append(QString());
    table.lines.append(texts::catalogueTitle() + u": "_s + document_.header().projNum);
    table.lines.append(QString());
    for (const Finding& finding : report_.findings()) {
        QStringList fields;
        for (int column = 0; column < CatalogueReport::ColumnCount; ++column) {
            fields.append(report_.cell(finding, column).trimmed());
        }
        table.lines.append(fields.join(u"  "_s));
    }
    try {
        QuantityTablePainter::print(table, *target);
    } catch (const Error& error) {
        port_.warn(error.message());
    }
}

}  // namespace veskplan
