#include "app/takeoffreviewdialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "app/apptexts.h"
#include "app/namedcontrols.h"
#include "controller/quantityimport.h"
#include "controller/quantitypartsmodel.h"
#include "controller/quantityreviewmodel.h"
#include "project/categorylist.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using Status = TakeoffReview::Status;

QString plain(const QString& caption) {
    return QString(caption).remove(u'&').remove(u':');
}

}  // namespace

TakeoffReviewDialog::TakeoffReviewDialog(QuantityImport& review, QWidget* parent)
    : QDialog(parent), review_(review) {
    setObjectName(u"takeoffReview"_s);
    setWindowTitle(texts::takeoffReviewTitle());
    model_ = new QuantityReviewModel(review_, this);
    byStatus_ = new QSortFilterProxyModel(this);
    byStatus_->setSourceModel(model_);
    byStatus_->setFilterKeyColumn(QuantityReviewModel::StatusColumn);
    byText_ = new QSortFilterProxyModel(this);
    byText_->setSourceModel(byStatus_);
    byText_->setFilterKeyColumn(-1);
    byText_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    byText_->setSortRole(QuantityReviewModel::SortRole);

    filter_ = named(new QLineEdit(this), u"reviewFilter"_s, plain(texts::reviewFilterLabel()));
    status_ = named(new QComboBox(this), u"reviewStatus"_s, plain(texts::reviewStatusLabel()));
    status_->addItem(texts::reviewAllStatuses());
    for (Status s : {Status::New, Status::Changed, Status::Same, Status::NotInTakeoff,
                     Status::UnitDiffers, Status::NotInList}) {
        status_->addItem(TakeoffReview::statusText(s));
    }
    category_ =
        named(new QComboBox(this), u"reviewCategory"_s, plain(texts::reviewCategoryLabel()));
    table_ = named(new QTableView(this), u"reviewTable"_s, texts::reviewTableName(),
                   texts::reviewTableTip());
    table_->setModel(byText_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder);  // the review's own order until a heading
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setResizeContentsPrecision(200);  // quick with thousands of rows
    table_->installEventFilter(this);
    partsModel_ = new QuantityPartsModel(review_, this);
    parts_ = named(new QTableView(this), u"reviewParts"_s, plain(texts::reviewPartsLabel()),
                   texts::reviewPartsTip());
    parts_->setModel(partsModel_);
    parts_->setSelectionBehavior(QAbstractItemView::SelectRows);
    parts_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    parts_->setTabKeyNavigation(false);
    parts_->horizontalHeader()->setStretchLastSection(true);
    parts_->verticalHeader()->hide();
    lastImport_ = named(new QLabel(this), u"reviewLastImport"_s, texts::reviewLastImportName());
    lastImport_->setWordWrap(true);
    QPushButton* layoutFile = button(this, u"reviewLayout"_s, texts::layoutButton());
    QPushButton* rounding = button(this, u"reviewRounding"_s, texts::roundingButton());
    QPushButton* acceptAll = button(this, u"reviewAcceptAll"_s, texts::acceptAllButton());
    QPushButton* apply = button(this, u"reviewApply"_s, texts::applyReviewButton());
    QPushButton* close = button(this, u"reviewClose"_s, texts::closeReviewButton());

    auto* filters = new QHBoxLayout;
    filters->addWidget(labelFor(filter_, texts::reviewFilterLabel()));
    filters->addWidget(filter_, 1);
    filters->addWidget(labelFor(status_, texts::reviewStatusLabel()));
    filters->addWidget(status_);
    filters->addWidget(labelFor(category_, texts::reviewCategoryLabel()));
    filters->addWidget(category_);
    summary_ = new QLabel(this);
    summary_->setObjectName(u"reviewSummary"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(summary_, 1);
    for (QPushButton* b : {layoutFile, rounding, acceptAll, apply, close}) {
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(table_, 3);
    layout->addWidget(labelFor(parts_, texts::reviewPartsLabel()));
    layout->addWidget(parts_, 1);
    layout->addWidget(lastImport_);
    layout->addLayout(buttons);
    QWidget* const order[] = {filter_,    status_,  category_, table_, parts_,
                              layoutFile, rounding, acceptAll, apply,  close};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    resize(900, 500);

    connect(filter_, &QLineEdit::textChanged, byText_,
            &QSortFilterProxyModel::setFilterFixedString);
    connect(status_, &QComboBox::currentIndexChanged, this, [this](int index) {
        byStatus_->setFilterRegularExpression(
            index <= 0 ? QRegularExpression()
                       : QRegularExpression(QRegularExpression::anchoredPattern(
                             QRegularExpression::escape(status_->itemText(index)))));
    });
    connect(category_, &QComboBox::activated, this, [this](int index) {
        review_.chooseDefaultCategory(category_->itemData(index).toString());
    });
    connect(layoutFile, &QPushButton::clicked, &review_, &QuantityImport::chooseLayout);
    connect(rounding, &QPushButton::clicked, &review_, &QuantityImport::chooseRoundingRules);
    connect(acceptAll, &QPushButton::clicked, &review_, &QuantityImport::acceptAll);
    connect(apply, &QPushButton::clicked, &review_, &QuantityImport::apply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                partsModel_->showRow(current.isValid() ? reviewRow(current) : -1);
                parts_->resizeColumnsToContents();
            });
    connect(&review_, &QuantityImport::reviewChanged, this, &TakeoffReviewDialog::refresh);
    connect(&review_, &QuantityImport::acceptanceChanged, this, &TakeoffReviewDialog::showSummary);
    refresh();
    // Wide enough for every column, within the screen it opens on.
    const QMargins margins = layout->contentsMargins();
    const int wanted = table_->verticalHeader()->sizeHint().width() +
                       table_->horizontalHeader()->length() +
                       table_->verticalScrollBar()->sizeHint().width() + 2 * table_->frameWidth() +
                       margins.left() + margins.right();
    const QRect room = screen()->availableGeometry();
    resize(std::clamp(wanted, width(), room.width() * 9 / 10), std::min(height(), room.height()));
}

void TakeoffReviewDialog::refresh() {
    const QSignalBlocker quiet(category_);
    category_->clear();
    const CategoryList& categories = review_.categories();
    for (qsizetype i = 0; i < categories.numbers().size(); ++i) {
        const QString& number = categories.numbers()[i];
        category_->addItem(number + u' ' + categories.descriptions().value(i), number);
    }
    category_->setCurrentIndex(category_->findData(review_.defaultCategory().value_or(QString())));
    table_->resizeColumnsToContents();
    lastImport_->setText(review_.lastImportNote());
    lastImport_->setVisible(!lastImport_->text().isEmpty());
    showSummary();
}

void TakeoffReviewDialog::showSummary() {
    int accepted = 0;
    int waiting = 0;
    const int rows = static_cast<int>(review_.rows().size());
    for (int row = 0; row < rows; ++row) {
        accepted += review_.isAccepted(row) ? 1 : 0;
        waiting += review_.rows()[row].needsDecision() ? 1 : 0;
    }
    summary_->setText(texts::reviewSummary(rows, accepted, waiting));
}

std::vector<int> TakeoffReviewDialog::chosenRows() const {
    QModelIndexList chosen = table_->selectionModel()->selectedRows();
    if (chosen.isEmpty() && table_->currentIndex().isValid()) {
        chosen << table_->currentIndex();
    }
    std::vector<int> rows;
    for (const QModelIndex& index : chosen) {
        rows.push_back(reviewRow(index));
    }
    return rows;
}

int TakeoffReviewDialog::reviewRow(const QModelIndex& index) const {
    return byStatus_->mapToSource(byText_->mapToSource(index)).row();
}

void TakeoffReviewDialog::toggleChosen() {
    const std::vector<int> rows = chosenRows();
    bool allAccepted = true;
    for (int row : rows) {
        allAccepted = allAccepted && (review_.isAccepted(row) || !review_.canAccept(row));
    }
    review_.accept(rows, !allAccepted);
}

bool TakeoffReviewDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            toggleChosen();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace veskplan
