#include "controller/cataloguereport.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

#include "base/numbertext.h"
#include "controller/controllertexts.h"
#include "project/cataloguetexts.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;
using cataloguecheck::Finding;

void CatalogueReport::setFindings(std::vector<Finding> findings) {
    beginResetModel();
    findings_ = std::move(findings);
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

bool CatalogueReport::isGuess(const Finding& finding) {
    return finding.replacement &&
           finding.replacement->source == Finding::Source::SimilarDescription;
}

const Finding& CatalogueReport::shownFinding(int row) const {
    return findings_.at(static_cast<size_t>(shown_.at(static_cast<size_t>(row))));
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
            return cataloguecheck::shownNumber(finding.record.itemNumber);
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
        case ProposedByColumn:
            return cataloguecheck::proposedBy(finding);
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
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Finding& finding = shownFinding(index.row());
    // A guess looks apart from what the list and the mapping file say.
    const bool guessed = isGuess(finding) && (index.column() == ProposedByColumn ||
                                              index.column() == ReplacementColumn);
    switch (role) {
        case Qt::DisplayRole:
            return cell(finding, index.column());
        case Qt::ToolTipRole:
            // Notes are long: the whole text, wherever the column ends.
            return guessed ? cell(finding, index.column()) + u"\n"_s + texts::catalogueGuessTip()
                           : cell(finding, index.column());
        case Qt::ForegroundRole:
            // The palette's colour for a suggestion, readable in a dark or high-contrast one.
            return guessed ? QVariant(QGuiApplication::palette().color(QPalette::PlaceholderText))
                           : QVariant();
        case Qt::FontRole:
            if (guessed) {
                QFont font;
                font.setItalic(true);
                return font;
            }
            return {};
        default:
            return {};
    }
}

QVariant CatalogueReport::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= ColumnCount) {
        return {};
    }
    static const QString headings[ColumnCount] = {
        u"Finding"_s,     u"Cat"_s,         u"Quantity"_s,         u"Item Number"_s,
        u"Description"_s, u"Units"_s,       u"List Item Number"_s, u"List Description"_s,
        u"List Units"_s,  u"Proposed By"_s, u"Replacement"_s};
    return headings[section];
}

}  // namespace veskplan
