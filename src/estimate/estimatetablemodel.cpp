#include "estimate/estimatetablemodel.h"

#include <array>

#include "estimate/estimatetexts.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

EstimateTableModel::EstimateTableModel(QLocale locale, QObject* parent)
    : QAbstractTableModel(parent), locale_(std::move(locale)) {}

void EstimateTableModel::setEstimate(const Estimate* estimate) {
    if (!estimate_ || !estimate || estimate->lines.size() != estimate_->lines.size()) {
        beginResetModel();
        estimate_ = estimate;
        endResetModel();
        return;
    }
    // The same items with other prices: each row keeps its line, so the selection and an
    // editor being closed stay where they are.
    estimate_ = estimate;
    if (rowCount() > 0) {
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
    }
}

int EstimateTableModel::lineAt(int row) const {
    return row >= 0 && row < rowCount() ? row : -1;
}

int EstimateTableModel::rowOf(int line) const {
    return line >= 0 && line < rowCount() ? line : -1;
}

int EstimateTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !estimate_ ? 0 : int(estimate_->lines.size());
}

int EstimateTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QString EstimateTableModel::moneyText(qint64 cents) const {
    return amountText(locale_, cents);
}

QString EstimateTableModel::flagsText(const EstimateLine& line) const {
    const QString indexEnd = estimate_->escalation ? estimate_->escalation->lastQuarter : QString();
    return flagNames(line.flags, indexEnd).replace(u';', u"; "_s);
}

QVariant EstimateTableModel::numberOf(const EstimateLine& line, int column) {
    const auto& s = line.statistics;
    switch (column) {
        case QuantityColumn:
            return line.item.quantity ? QVariant(*line.item.quantity) : QVariant();
        case UnitPriceColumn:
            return line.unitPrice ? QVariant(*line.unitPrice) : QVariant();
        case AmountColumn:
            return line.amountCents ? QVariant(*line.amountCents) : QVariant();
        case BidsColumn:
            return s ? QVariant(s->bids) : QVariant();
        case ContractsColumn:
            return s ? QVariant(s->contracts) : QVariant();
        default:
            return {};
    }
}

QVariant EstimateTableModel::data(const QModelIndex& index, int role) const {
    const int position = lineAt(index.row());
    if (position < 0 || index.column() < 0 || index.column() >= kColumnCount) {
        return {};
    }
    const EstimateLine& line = estimate_->lines[size_t(position)];
    const bool number = index.column() == QuantityColumn || index.column() == UnitPriceColumn ||
                        index.column() == AmountColumn || index.column() == BidsColumn ||
                        index.column() == ContractsColumn;
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role == Qt::ToolTipRole) {
        // The flags may be longer than their column: the tip reads them whole.
        if (index.column() == FlagsColumn && line.flags) {
            return flagsText(line);
        }
        return line.note.isEmpty() ? QVariant() : QVariant(line.note);
    }
    if (role == SortRole) {
        // Numbers by their value (none last), the rest by the text shown.
        if (number) {
            return numberOf(line, index.column());
        }
        role = Qt::DisplayRole;
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) {
        return {};
    }
    const auto& s = line.statistics;
    switch (index.column()) {
        case ItemNumberColumn:
            return line.item.itemNumber;
        case CategoryColumn:
            return line.item.cat;
        case DescriptionColumn:
            return line.item.description;
        case UnitColumn:
            return line.item.units;
        case QuantityColumn:
            return line.item.quantity ? locale_.toString(*line.item.quantity, 'g', 15) : QString();
        case UnitPriceColumn:
            if (role == Qt::EditRole) {
                return line.unitPrice ? locale_.toString(*line.unitPrice, 'g', 15) : QString();
            }
            return line.unitPriceCents
                       ? moneyText(*line.unitPriceCents) + (line.has(EstimateFlag::UnitDiffers)
                                                                ? u" /"_s + line.priceUnit
                                                                : QString())
                       : QString();
        case KindColumn:
            return kindText(line);
        case AmountColumn:
            return line.amountCents ? moneyText(*line.amountCents) : QString();
        case BidsColumn:
            return s ? locale_.toString(s->bids) : QString();
        case ContractsColumn:
            return s ? locale_.toString(s->contracts) : QString();
        case FlagsColumn:
            return flagsText(line);
        default:
            return line.note;
    }
}

QVariant EstimateTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const std::array<QString, kColumnCount> headings{
        u"Item Number"_s, u"Cat"_s,        u"Description"_s, u"Unit"_s,
        u"Quantity"_s,    u"Unit Price"_s, u"Kind"_s,        u"Amount"_s,
        u"Bids"_s,        u"Contracts"_s,  u"Flags"_s,       u"Note"_s};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return headings[size_t(section)];
}

Qt::ItemFlags EstimateTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && (index.column() == UnitPriceColumn || index.column() == NoteColumn)) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool EstimateTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int line = lineAt(index.row());
    const auto column = Column(index.column());
    if (role != Qt::EditRole || (column != UnitPriceColumn && column != NoteColumn) || line < 0 ||
        !editor_) {
        return false;
    }
    return editor_(line, column, value.toString());
}

}  // namespace veskplan
