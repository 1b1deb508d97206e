#include "app/estimateitemsview.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyle>

#include "estimate/estimatetablemodel.h"

namespace veskplan {

EstimateItemsView::EstimateItemsView(QAbstractItemModel* items, const QLocale& numbers,
                                     QWidget* parent)
    : QTableView(parent), widestCount_(numbers.toString(8888)) {
    setModel(items);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    verticalHeader()->hide();
    // Rows as dense as the main window's grids: a project has hundreds of items to look over.
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setTabKeyNavigation(false);
    // The estimate's own order, as its files list the items, until a heading is clicked; a
    // third click on it brings that order back.
    QHeaderView* header = horizontalHeader();
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setSortIndicatorClearable(true);
    setSortingEnabled(true);
    header->setStretchLastSection(false);
    connect(header, &QHeaderView::sectionResized, this, [this](int column) {
        if (column != EstimateTableModel::FlagsColumn) {
            fitFlags();
        }
    });
}

void EstimateItemsView::fitColumns() {
    QHeaderView* header = horizontalHeader();
    const int margin =
        2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 1;
    const int countWidth = fontMetrics().horizontalAdvance(widestCount_) + margin;
    for (int column = 0; column < EstimateTableModel::kColumnCount; ++column) {
        if (column == EstimateTableModel::FlagsColumn) {
            continue;
        }
        int width = std::max(header->sectionSizeHint(column), sizeHintForColumn(column));
        if (column == EstimateTableModel::BidsColumn ||
            column == EstimateTableModel::ContractsColumn) {
            width = std::max(width, countWidth);
        }
        if (header->sectionSize(column) < width || !fitted_) {
            header->resizeSection(column, width);
        }
    }
    fitted_ = true;
    fitFlags();
}

void EstimateItemsView::fitFlags() {
    const int flags = EstimateTableModel::FlagsColumn;
    QHeaderView* header = horizontalHeader();
    int others = 0;
    for (int column = 0; column < EstimateTableModel::kColumnCount; ++column) {
        others += column == flags ? 0 : header->sectionSize(column);
    }
    const int least =
        std::max(header->sectionSizeHint(flags), fontMetrics().averageCharWidth() * 32);
    header->resizeSection(flags, std::max(viewport()->width() - others, least));
}

bool EstimateItemsView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Resize) {
        fitFlags();
    }
    return QTableView::viewportEvent(event);
}

}  // namespace veskplan
