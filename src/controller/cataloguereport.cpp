#include "controller/cataloguereport.h"

#include "base/numbertext.h"
#include "base/texts.h"

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
