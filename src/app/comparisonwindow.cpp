#include "app/comparisonwindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include "app/apptexts.h"
#include "app/namedcontrols.h"
#include "controller/projectcomparing.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

ComparisonWindow::ComparisonWindow(ProjectComparing& comparing, QWidget* parent)
    : QDialog(parent), comparing_(comparing) {
    setObjectName(u"comparisonWindow"_s);
    setWindowTitle(texts::comparisonWindowTitle());
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(&comparing_.model());
    sorted_->setSortRole(ComparisonTableModel::SortRole);
    heading_ = named(new QLabel(this), u"comparisonHeading"_s, texts::comparisonHeadingName());
    heading_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    table_ = named(new QTableView(this), u"comparisonRows"_s, texts::comparisonRowsName(),
                   texts::comparisonRowsTip());
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder);  // the largest moves first until a heading
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();  // row numbers would follow the sort and mean nothing
    totals_ = named(new QLabel(this), u"comparisonTotals"_s, texts::comparisonTotalsName());
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPushButton* save = button(this, u"comparisonSaveAs"_s, texts::saveComparisonButton());
    QPushButton* close = button(this, u"comparisonClose"_s, texts::closeComparisonButton());

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(totals_, 1);
    buttons->addWidget(save, 0, Qt::AlignBottom);
    buttons->addWidget(close, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    setTabOrder(table_, save);
    setTabOrder(save, close);
    resize(1000, 520);

    connect(save, &QPushButton::clicked, &comparing_, &ProjectComparing::saveAs);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(&comparing_, &ProjectComparing::compared, this, &ComparisonWindow::refresh);
    refresh();
}

void ComparisonWindow::refresh() {
    heading_->setText(comparing_.heading());
    totals_->setText(comparing_.totals());
    totals_->setAccessibleDescription(comparing_.totals());
    table_->sortByColumn(-1, Qt::AscendingOrder);
    table_->resizeColumnsToContents();
    table_->setFocus();
    if (sorted_->rowCount() > 0) {
        table_->setCurrentIndex(sorted_->index(0, 0));
    }
}

}  // namespace veskplan
