#include "app/gridcolumns.h"

#include <QHeaderView>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>

#include "app/twips.h"
#include "master/mastergridmodel.h"
#include "project/projectgridmodel.h"
#include "project/revisioncheck.h"

namespace veskplan::gridcolumns {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr int kProjectWidthsTwips[ProjectGridModel::kColumnCount] = {1440, 400, 4145, 630, 770};

// Paints the grid's rows as a grid with the focus does, so its highlighted row looks the same
// whether or not the grid has the focus, whatever colours the desktop gives an unfocused one.
class SteadyHighlightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state |= QStyle::State_Active;
    }
};

}  // namespace

void setUpMasterGrid(QTableView& grid) {
    const auto& widths = MasterGridModel::kColumnWidthsTwips;
    for (int c = 0; c < static_cast<int>(std::size(widths)); ++c) {
        grid.setColumnWidth(c, twips(widths[c]));
    }
    grid.horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    grid.setItemDelegate(new SteadyHighlightDelegate(&grid));
}

void setUpProjectGrid(QTableView& grid) {
    for (int c = 0; c < ProjectGridModel::kColumnCount; ++c) {
        grid.setColumnWidth(c, twips(kProjectWidthsTwips[c]));
    }
    // The widest number with its mark, and the room a cell leaves around its text.
    const QString marked = u"0000-0000000"_s + QString::fromUtf16(revisioncheck::kMark);
    const int margin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
    const int itemNumber = grid.fontMetrics().horizontalAdvance(marked) + 2 * margin + 2;
    if (grid.columnWidth(ProjectGridModel::ItemNumberColumn) < itemNumber) {
        grid.setColumnWidth(ProjectGridModel::ItemNumberColumn, itemNumber);
    }
    QHeaderView* header = grid.horizontalHeader();
    header->setSectionResizeMode(ProjectGridModel::DescriptionColumn, QHeaderView::Stretch);
    header->setSortIndicatorShown(true);
    // No heading is cut by the sort arrow beside it ("Cat" at any font).
    for (int c = 0; c < ProjectGridModel::kColumnCount; ++c) {
        grid.setColumnWidth(c, std::max(grid.columnWidth(c), header->sectionSizeHint(c)));
    }
}

}  // namespace veskplan::gridcolumns
