#include "controller/cataloguereport.h"

#include <QDir>
#include <QSettings>
#include <set>

#include "base/error.h"
#include "base/filewriting.h"
#include "base/numbertext.h"
#include "base/texts.h"
#include "controller/filedialogs.h"
#include "controller/userport.h"
#include "master/mastersession.h"
#include "print/quantitytable.h"
#include "print/quantitytablepainter.h"
#include "project/projectdocument.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using cataloguecheck::Finding;

const QString kMappingKey = u"catalogue/mappingFile"_s;

bool takesOver(const Finding& finding) {
    return finding.kind == Finding::Kind::UnitChanged ||
           finding.kind == Finding::Kind::DescriptionChanged ||
           (finding.kind == Finding::Kind::Retired && finding.replacement);
}

}  // namespace

CatalogueReport::CatalogueReport(ProjectDocument& document, const MasterSession& master,
                                 QString settingsFile, FileDialogs& dialogs, UserPort& port,
                                 QObject* parent)
    : QAbstractTableModel(parent),
      document_(document),
      master_(master),
      settingsFile_(std::move(settingsFile)),
      dialogs_(dialogs),
      port_(port) {}

QString CatalogueReport::mappingFile() const {
    return QSettings(settingsFile_, QSettings::IniFormat).value(kMappingKey).toString();
}

QStringList CatalogueReport::mappingProblems() const {
    QStringList problems = mapping_.problems();
    if (!mapping_.error().isEmpty()) {
        problems.prepend(mapping_.error());
    }
    return problems;
}

void CatalogueReport::run() {
    const QString file = mappingFile();
    mapping_ = file.isEmpty() ? ItemMapping() : ItemMapping::read(file);
    beginResetModel();
    findings_ =
        cataloguecheck::compare(document_.items().records(IndexOrder::PrimaryKey), master_.list(),
                                mapping_.error().isEmpty() ? &mapping_ : nullptr);
    chooseShown();
    endResetModel();
}

void CatalogueReport::chooseShown() {
    shown_.clear();
    for (int i = 0; i < static_cast<int>(findings_.size()); ++i) {
        if (!filter_ || findings_[static_cast<size_t>(i)].kind == *filter_) {
            shown_.push_back(i);
        }
    }
}

std::array<int, cataloguecheck::kKindCount> CatalogueReport::counts() const {
    return cataloguecheck::countByKind(findings_);
}

void CatalogueReport::setFilter(std::optional<Kind> kind) {
    beginResetModel();
    filter_ = kind;
    chooseShown();
    endResetModel();
}

const Finding& CatalogueReport::shownFinding(int row) const {
    return findings_.at(static_cast<size_t>(shown_.at(static_cast<size_t>(row))));
}

void CatalogueReport::chooseMappingFile() {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.title = texts::chooseMappingTitle();
    request.filters = QStringList{texts::allFilesFilter(), texts::mappingFilter()};
    request.selectedFilter = 1;
    const auto chosen = dialogs_.choose(request);
    if (!chosen) {
        return;
    }
    QSettings settings(settingsFile_, QSettings::IniFormat);
    settings.setValue(kMappingKey, *chosen);
    settings.sync();
    run();
    if (!mapping_.error().isEmpty()) {
        port_.warn(mapping_.error());
    }
}

void CatalogueReport::replace(int row) {
    if (row >= 0 && row < rowCount()) {
        takeOver({&shownFinding(row)});
    }
}

void CatalogueReport::replaceAll() {
    std::vector<const Finding*> chosen;
    for (const Finding& finding : findings_) {
        if (takesOver(finding)) {
            chosen.push_back(&finding);
        }
    }
    takeOver(chosen);
}

void CatalogueReport::takeOver(const std::vector<const Finding*>& chosen) {
    const std::vector<ProjectRecord> items = document_.items().records(IndexOrder::PrimaryKey);
    // Each finding is taken over on what the ones before it made of the items: two findings of
    // one item add up, and two items are not given one number in one category.
    std::vector<ProjectRecord> taken = items;
    std::set<int> changed;
    QStringList refusals;
    for (const Finding* finding : chosen) {
        QString refusal;
        const auto change = cataloguecheck::replacementChange(*finding, taken, &refusal);
        if (!change) {
            refusals.append(cataloguecheck::comparedNumber(finding->record.itemNumber) + u": "_s +
                            refusal);
            continue;
        }
        taken[static_cast<size_t>(finding->position)] = change->second;
        changed.insert(finding->position);
    }
    std::vector<std::pair<ProjectRecord, ProjectRecord>> pairs;
    for (const int position : changed) {
        pairs.emplace_back(items[static_cast<size_t>(position)],
                           taken[static_cast<size_t>(position)]);
    }
    try {
        document_.replaceItems(pairs, texts::replaceStep());
    } catch (const DuplicateKeyError&) {
        refusals.append(texts::itemAlreadyInProject().section(u'\n', 1));
    } catch (const SqliteError& error) {
        refusals.append(error.reason());
    }
    run();
    if (!refusals.isEmpty()) {
        port_.inform(texts::replacementsRefused(refusals));
    }
}

int CatalogueReport::projectRowOf(int row) const {
    return row >= 0 && row < rowCount() ? document_.items().rowOfKey(shownFinding(row).record) : -1;
}

void CatalogueReport::saveCsv() {
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
        writeFileAtomically(*chosen, cataloguecheck::toCsv(findings_));
    } catch (const Error& error) {
        port_.warn(error.message());
    }
}

void CatalogueReport::print() {
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
    for (const Finding& finding : findings_) {
        QStringList fields;
        for (int column = 0; column < ColumnCount; ++column) {
            fields.append(cell(finding, column).trimmed());
        }
        table.lines.append(fields.join(u"  "_s));
    }
    try {
        QuantityTablePainter::print(table, *target);
    } catch (const Error& error) {
        port_.warn(error.message());
    }
}

QString CatalogueReport::cell(const Finding& finding, int column) const {
    switch (column) {
        case KindColumn:
            return texts::catalogueKindName(static_cast<int>(finding.kind));
        case CategoryColumn:
            return finding.record.cat;
        case QuantityColumn:
            return finding.record.quantity ? numbertext::shortest(*finding.record.quantity)
                                           : QString();
        case NumberColumn:
            return finding.record.itemNumber;
        case DescriptionColumn:
            return finding.record.description;
        case UnitColumn:
            return finding.record.units;
        case ListNumberColumn:
            return finding.listNumber;
        case ListDescriptionColumn:
            return finding.listDescription;
        case ListUnitColumn:
            return finding.listUnit;
        case ReplacementColumn:
            return finding.replacement
                       ? finding.replacement->itemNumber.trimmed() + u"  "_s +
                             finding.replacement->description.trimmed() +
                             (finding.note.isEmpty() ? QString() : u"  ("_s + finding.note + u')')
                       : finding.note;
        default:
            return QString();
    }
}

int CatalogueReport::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int CatalogueReport::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CatalogueReport::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole) {
        return {};
    }
    return cell(shownFinding(index.row()), index.column());
}

QVariant CatalogueReport::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= ColumnCount) {
        return {};
    }
    static const QString headings[ColumnCount] = {
        u"Finding"_s,     u"Cat"_s,        u"Quantity"_s,         u"Item Number"_s,
        u"Description"_s, u"Units"_s,      u"List Item Number"_s, u"List Description"_s,
        u"List Units"_s,  u"Replacement"_s};
    return headings[section];
}

}  // namespace veskplan
