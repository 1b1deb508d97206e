#include "project/projectgridmodel.h"

#include <QColor>

#include "project/cataloguetexts.h"
#include "project/freetextitem.h"
#include "project/projectdocument.h"
#include "project/recordstore.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

namespace {
// Quantities line up on their last digit, as in a spreadsheet.
QVariant alignmentOf(int column) {
    return static_cast<int>(
        (column == ProjectGridModel::QuantityColumn ? Qt::AlignRight : Qt::AlignLeft) |
        Qt::AlignVCenter);
}
}  // namespace

ProjectGridModel::ProjectGridModel(RecordStore& store, QLocale locale, QObject* parent)
    : QAbstractTableModel(parent), store_(store), locale_(std::move(locale)) {
    locale_.setNumberOptions(QLocale::OmitGroupSeparator);
    connect(&store_, &RecordStore::aboutToReset, this, [this] { beginResetModel(); });
    connect(&store_, &RecordStore::resetDone, this, [this] { endResetModel(); });
    connect(&store_, &RecordStore::rowAboutToBeInserted, this,
            [this](int row) { beginInsertRows(QModelIndex(), row, row); });
    connect(&store_, &RecordStore::rowInserted, this, [this] { endInsertRows(); });
    connect(&store_, &RecordStore::rowAboutToBeRemoved, this,
            [this](int row) { beginRemoveRows(QModelIndex(), row, row); });
    connect(&store_, &RecordStore::rowRemoved, this, [this] { endRemoveRows(); });
    connect(&store_, &RecordStore::rowChanged, this,
            [this](int row) { Q_EMIT dataChanged(index(row, 0), index(row, kColumnCount - 1)); });
}

void ProjectGridModel::followReviews(const ProjectDocument& document) {
    reviewed_ = &document;
    connect(&document, &ProjectDocument::quantityReviewsChanged, this, [this] {
        if (rowCount() > 0) {
            Q_EMIT dataChanged(index(0, QuantityColumn), index(rowCount() - 1, QuantityColumn));
        }
    });
}

QString ProjectGridModel::quantityText(double value) const {
    return locale_.toString(value, 'f', QLocale::FloatingPointShortest);
}

QString ProjectGridModel::rowsAsText(const QList<int>& rows) const {
    QStringList lines;
    QStringList cells;
    for (int c = 0; c < kColumnCount; ++c) {
        cells.append(headerData(c, Qt::Horizontal).toString());
    }
    lines.append(cells.join(u'\t'));
    for (const int row : rows) {
        cells.clear();
        for (int c = 0; c < kColumnCount; ++c) {
            // A tab or a line end inside a cell would break the table apart.
            QString text = data(index(row, c)).toString();
            text.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
            while (text.endsWith(u' ')) {
                text.chop(1);
            }
            cells.append(text);
        }
        lines.append(cells.join(u'\t'));
    }
    return lines.join(u'\n') + u'\n';
}

int ProjectGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : store_.recordCount();
}

int ProjectGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ProjectGridModel::data(const QModelIndex& index, int role) const {
    // A quantity to review stands out, and says why.
    if (index.isValid() && index.row() < store_.recordCount() && index.column() == QuantityColumn &&
        reviewed_ &&
        (role == Qt::BackgroundRole || role == Qt::ForegroundRole || role == Qt::ToolTipRole)) {
        const ProjectRecord& record = store_.record(index.row());
        const auto formerUnit = reviewed_->quantityReviews().formerUnit(record);
        if (!formerUnit) {
            return {};
        }
        // Amber with black text: the pair keeps its contrast whatever the palette's text colour.
        if (role == Qt::BackgroundRole) {
            return QColor(255, 214, 102);
        }
        if (role == Qt::ForegroundRole) {
            return QColor(Qt::black);
        }
        return texts::quantityToReview(*formerUnit, withoutTrailingBlanks(record.units).toString());
    }
    if (!index.isValid() || index.row() >= store_.recordCount()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return alignmentOf(index.column());
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) {
        return {};
    }
    const ProjectRecord& record = store_.record(index.row());
    switch (index.column()) {
        case ItemNumberColumn:
            return record.itemNumber;
        case CatColumn:
            return record.cat;
        case DescriptionColumn:
            return record.description;
        case UnitsColumn:
            return record.units;
        case QuantityColumn:
            return record.quantity ? QVariant(quantityText(*record.quantity)) : QVariant(QString());
        default:
            return {};
    }
}

QVariant ProjectGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole && orientation == Qt::Horizontal) {
        return alignmentOf(section);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return QString();  // a record selector: the view marks the current row
    }
    static const QString captions[kColumnCount] = {u"Item Number"_s, u"Cat"_s, u"Description"_s,
                                                   u"Units"_s, u"Quantity"_s};
    return section >= 0 && section < kColumnCount ? QVariant(captions[section]) : QVariant();
}

Qt::ItemFlags ProjectGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (isCellEditable(index.row(), index.column())) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool ProjectGridModel::isCellEditable(int row, int column) const {
    if (!store_.isRow(row)) {
        return false;
    }
    return column == QuantityColumn ||
           (column == DescriptionColumn && isTypedFreeTextItem(store_.record(row).itemNumber));
}

bool ProjectGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !editor_) {
        return false;
    }
    return editor_(index.row(), index.column(), value.toString());
}

}  // namespace veskplan
