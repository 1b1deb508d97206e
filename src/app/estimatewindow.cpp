#include "app/estimatewindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QUndoStack>
#include <QVBoxLayout>

#include "app/apptexts.h"
#include "app/bidplot.h"
#include "app/estimateitemsview.h"
#include "app/namedcontrols.h"
#include "controller/controllertexts.h"
#include "controller/estimateediting.h"
#include "estimate/estimatetexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

QDoubleSpinBox* percentBox(QWidget* parent, const QString& name, const QString& caption) {
    auto* box = named(new QDoubleSpinBox(parent), name, caption, texts::percentTip(caption));
    box->setRange(0, 100);
    box->setDecimals(2);
    box->setSuffix(texts::percentSuffix());
    box->setSpecialValueText(texts::noPercent());
    box->setKeyboardTracking(false);
    return box;
}

}  // namespace

EstimateWindow::EstimateWindow(EstimateEditing& estimate, QWidget* parent)
    : QWidget(parent, Qt::Window), estimate_(estimate) {
    setObjectName(u"estimateWindow"_s);
    setWindowTitle(texts::estimateTitle());
    setAccessibleName(windowTitle());

    auto* history = button(this, u"estimateHistory"_s, texts::historyFileButton());
    auto* prices = button(this, u"estimatePrices"_s, texts::priceFileButton());
    auto* index = button(this, u"estimateIndex"_s, texts::costIndexButton());
    sources_ = named(new QLabel(this), u"estimateSources"_s, texts::priceSourcesName());
    sources_->setWordWrap(true);
    // Busy, not counting: a server says nothing of how far it has got.
    progress_ = named(new QProgressBar(this), u"estimateProgress"_s, texts::readingName());
    progress_->setRange(0, 0);
    progress_->setTextVisible(false);
    cancel_ = button(this, u"estimateCancel"_s, texts::cancelReadingButton());

    auto* settings = new QGridLayout;
    buildSettings(settings);

    filter_ =
        named(new QLineEdit(this), u"estimateFilter"_s, texts::filterName(), texts::filterTip());
    filter_->setClearButtonEnabled(true);
    filtered_ = new QSortFilterProxyModel(this);
    filtered_->setSourceModel(&estimate_.model());
    filtered_->setFilterKeyColumn(-1);
    filtered_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    filtered_->setSortRole(EstimateTableModel::SortRole);
    table_ = named(new EstimateItemsView(filtered_, estimate_.model().locale(), this),
                   u"estimateItems"_s, texts::estimateItemsName(), texts::estimateItemsTip());

    plot_ = new BidPlot(this);
    plotNote_ = named(new QLabel(this), u"estimatePlotNote"_s, texts::regressionName());
    plotNote_->setWordWrap(true);
    plotNote_->setTextFormat(Qt::PlainText);
    plotNote_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    evidence_ = named(new QLabel(this), u"estimateEvidence"_s, texts::evidenceName());
    evidence_->setWordWrap(true);
    evidence_->setTextFormat(Qt::PlainText);
    evidence_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* apply = button(this, u"estimateApply"_s, texts::applyPriceButton());
    auto* clear = button(this, u"estimateClear"_s, texts::clearPriceButton());

    totals_ = named(new QLabel(this), u"estimateTotals"_s, texts::totalsName());
    totals_->setWordWrap(true);
    totals_->setTextFormat(Qt::RichText);
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    pricedFrom_ = named(new QLabel(this), u"estimatePricedFrom"_s, u"Priced from"_s);
    pricedFrom_->setWordWrap(true);
    pricedFrom_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    mobilization_ = percentBox(this, u"estimateMobilization"_s, texts::mobilizationName());
    contingency_ = percentBox(this, u"estimateContingency"_s, texts::contingencyName());
    milestone_ = named(new QComboBox(this), u"estimateMilestone"_s, texts::milestoneName(),
                       texts::milestoneTip());
    milestone_->addItem(texts::noMilestone());
    for (const Milestone milestone : milestone::kAll) {
        milestone_->addItem(milestone::name(milestone));
    }
    auto* workbook = button(this, u"estimateExportWorkbook"_s, texts::exportWorkbookButton());
    auto* pdf = button(this, u"estimateExportPdf"_s, texts::exportPdfButton());
    auto* close = button(this, u"estimateClose"_s, texts::closeEstimateButton());

    // The document's own history: a price typed here is undone here as in the main window.
    QUndoStack& stack = *estimate_.undoStack();
    for (auto [action, key] :
         {std::pair(stack.createUndoAction(this, texts::undoPrefix()), QKeySequence::Undo),
          std::pair(stack.createRedoAction(this, texts::redoPrefix()), QKeySequence::Redo)}) {
        action->setShortcuts(key);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }

    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(history);
    sourceRow->addWidget(prices);
    sourceRow->addWidget(index);
    sourceRow->addWidget(sources_, 1);
    sourceRow->addWidget(progress_);
    sourceRow->addWidget(cancel_);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(labelFor(filter_, texts::filterLabel()));
    filterRow->addWidget(filter_, 1);
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addLayout(filterRow);
    leftLayout->addWidget(table_, 1);
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(plot_, 1);
    rightLayout->addWidget(plotNote_);
    rightLayout->addWidget(evidence_);
    auto* priceButtons = new QHBoxLayout;
    priceButtons->addWidget(apply);
    priceButtons->addWidget(clear);
    rightLayout->addLayout(priceButtons);
    auto* split = new QSplitter(this);
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(labelFor(mobilization_, texts::mobilizationLabel()));
    bottom->addWidget(mobilization_);
    bottom->addWidget(labelFor(milestone_, texts::milestoneLabel()));
    bottom->addWidget(milestone_);
    bottom->addWidget(labelFor(contingency_, texts::contingencyLabel()));
    bottom->addWidget(contingency_);
    bottom->addStretch();
    bottom->addWidget(workbook);
    bottom->addWidget(pdf);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sourceRow);
    layout->addLayout(settings);
    layout->addWidget(split, 1);
    layout->addWidget(totals_);
    layout->addWidget(pricedFrom_);
    layout->addLayout(bottom);
    // As large as a 1280 x 800 screen allows, with two thirds for the items, so that their
    // columns up to the flags show without scrolling and the plot keeps a readable size.
    const QSize room = screen() ? screen()->availableGeometry().size() : QSize(1280, 800);
    resize(QSize(1240, 720).boundedTo(room * 0.95));
    split->setSizes({width() * 2 / 3, width() / 3});

    connect(history, &QPushButton::clicked, this, [this] { estimate_.chooseHistoryFile(); });
    connect(prices, &QPushButton::clicked, this, [this] { estimate_.addPriceFile(); });
    connect(index, &QPushButton::clicked, this, [this] { estimate_.chooseIndexFile(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { estimate_.cancelReading(); });
    connect(&estimate_, &EstimateEditing::readingChanged, this, &EstimateWindow::showReading);
    showReading(estimate_.reading());
    connect(filter_, &QLineEdit::textChanged, filtered_,
            &QSortFilterProxyModel::setFilterFixedString);
    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &EstimateWindow::refreshChosen);
    connect(apply, &QPushButton::clicked, this,
            [this] { estimate_.applyComputedPrice(currentLine()); });
    connect(clear, &QPushButton::clicked, this, [this] { estimate_.clearPrice(currentLine()); });
    connect(mobilization_, &QDoubleSpinBox::editingFinished, this, [this] {
        const double value = mobilization_->value();
        estimate_.setMobilizationPercent(value > 0 ? std::optional(value) : std::nullopt);
    });
    connect(contingency_, &QDoubleSpinBox::editingFinished, this, [this] {
        const double value = contingency_->value();
        estimate_.setContingencyPercent(value > 0 ? std::optional(value) : std::nullopt);
    });
    connect(milestone_, &QComboBox::activated, this, [this](int index) {
        estimate_.setMilestone(index > 0 ? std::optional(milestone::kAll[size_t(index - 1)])
                                         : std::nullopt);
    });
    connect(workbook, &QPushButton::clicked, this, [this] { estimate_.exportWorkbook(); });
    connect(pdf, &QPushButton::clicked, this, [this] { estimate_.exportPdf(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(&estimate_, &EstimateEditing::estimateChanged, this, &EstimateWindow::refresh);

    setTabOrder(history, prices);
    setTabOrder(prices, index);
    setTabOrder(mobilization_, milestone_);
    refresh();
    table_->setFocus();
    if (filtered_->rowCount() > 0) {
        table_->setCurrentIndex(filtered_->index(0, EstimateTableModel::UnitPriceColumn));
    }
}

EstimateWindow::~EstimateWindow() {
    // Taking the window down moves the focus, and a box that loses it says that its editing has
    // finished; by then this window is half gone, so its boxes must no longer reach it.
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
    }
}

void EstimateWindow::showReading(bool reading) {
    progress_->setVisible(reading);
    cancel_->setVisible(reading);
}

QTableView* EstimateWindow::table() const {
    return table_;
}

void EstimateWindow::buildSettings(QGridLayout* grid) {
    const EstimateSettings& s = estimate_.settings();
    auto date = [this](const QString& name, const QString& caption, QDate value) {
        auto* edit = named(new QDateEdit(value, this), name, caption);
        // The user's own short form, with the whole year: letting dates span decades.
        QString format = locale().dateFormat(QLocale::ShortFormat);
        if (!format.contains(u"yyyy"_s)) {
            format.replace(u"yy"_s, u"yyyy"_s);
        }
        edit->setDisplayFormat(format);
        edit->setCalendarPopup(true);
        edit->setKeyboardTracking(false);
        connect(edit, &QDateEdit::dateChanged, this, &EstimateWindow::settingsEdited);
        return edit;
    };
    from_ = date(u"estimateFrom"_s, texts::letFromName(), s.window.from);
    to_ = date(u"estimateTo"_s, texts::letToName(), s.window.to);
    on_ = date(u"estimateOn"_s, texts::estimateDateName(), s.window.estimateDate);
    region_ = named(new QLineEdit(s.window.region, this), u"estimateRegion"_s, texts::regionName(),
                    texts::regionTip());
    bids_ = named(new QComboBox(this), u"estimateBids"_s, texts::bidsName());
    bids_->addItems(texts::bidSelectionNames());
    bids_->setCurrentIndex(int(s.window.bids));
    statistic_ = named(new QComboBox(this), u"estimateStatistic"_s, texts::statisticName());
    statistic_->addItems(texts::priceStatisticNames());
    statistic_->setCurrentIndex(int(s.statistic));
    escalate_ = named(new QCheckBox(texts::escalateCaption(), this), u"estimateEscalate"_s,
                      texts::escalateName());
    escalate_->setChecked(s.window.escalate);
    connect(region_, &QLineEdit::editingFinished, this, &EstimateWindow::settingsEdited);
    connect(bids_, &QComboBox::activated, this, &EstimateWindow::settingsEdited);
    connect(statistic_, &QComboBox::activated, this, &EstimateWindow::settingsEdited);
    connect(escalate_, &QCheckBox::toggled, this, &EstimateWindow::settingsEdited);
    const std::pair<QWidget*, QString> fields[] = {
        {from_, texts::letFromLabel()},    {to_, texts::letToLabel()},
        {on_, texts::estimateDateLabel()}, {region_, texts::regionLabel()},
        {bids_, texts::bidsLabel()},       {statistic_, texts::statisticLabel()}};
    int column = 0;
    for (const auto& [widget, caption] : fields) {
        grid->addWidget(labelFor(widget, caption), 0, column++);
        grid->addWidget(widget, 0, column++);
    }
    grid->addWidget(escalate_, 0, column);
}

void EstimateWindow::settingsEdited() {
    EstimateSettings s = estimate_.settings();
    s.window.from = from_->date();
    s.window.to = to_->date();
    s.window.estimateDate = on_->date();
    s.window.region = region_->text().trimmed();
    s.window.bids = BidSelection(bids_->currentIndex());
    s.statistic = PriceStatistic(statistic_->currentIndex());
    s.window.escalate = escalate_->isChecked();
    estimate_.setSettings(s);
}

int EstimateWindow::currentLine() const {
    const QModelIndex current = filtered_->mapToSource(table_->currentIndex());
    return estimate_.model().lineAt(current.row());
}

void EstimateWindow::showSettings() {
    const EstimateSettings& s = estimate_.settings();
    // Quietly, so that showing a setting does not send it back as an edit.
    for (auto [edit, date] : {std::pair(from_, s.window.from), std::pair(to_, s.window.to),
                              std::pair(on_, s.window.estimateDate)}) {
        if (!edit->hasFocus()) {
            const QSignalBlocker quiet(edit);
            edit->setDate(date);
        }
    }
    if (!region_->hasFocus() && region_->text() != s.window.region) {
        const QSignalBlocker quiet(region_);
        region_->setText(s.window.region);
    }
    for (auto [box, index] :
         {std::pair(bids_, int(s.window.bids)), std::pair(statistic_, int(s.statistic))}) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(index);
    }
    escalate_->setEnabled(!estimate_.indexFile().isEmpty());
    const QSignalBlocker quiet(escalate_);
    escalate_->setChecked(s.window.escalate);
}

void EstimateWindow::refresh() {
    sources_->setText(sourcesText(estimate_.sources(), estimate_.indexFile()));
    showSettings();

    const Estimate& e = estimate_.estimate();
    const TotalsText totals = totalsText(e, locale());
    totals_->setText(totals.rich);
    totals_->setAccessibleDescription(totals.plain);
    pricedFrom_->setText(pricedFromText(e));
    for (auto [box, percent] : {std::pair(mobilization_, e.mobilizationPercent),
                                std::pair(contingency_, e.contingencyPercent)}) {
        if (!box->hasFocus()) {
            const QSignalBlocker still(box);
            box->setValue(percent.value_or(0));
        }
    }
    const std::optional<Milestone> milestone = estimate_.milestone();
    milestone_->setCurrentIndex(milestone ? int(*milestone) + 1 : 0);
    table_->fitColumns();
    refreshChosen();
}

void EstimateWindow::refreshChosen() {
    const int line = currentLine();
    const Estimate& e = estimate_.estimate();
    const bool chosen = line >= 0 && line < int(e.lines.size());
    plot_->showLine(chosen ? &e.lines[size_t(line)] : nullptr);
    plotNote_->setText(chosen ? regressionText(e.lines[size_t(line)], locale()) : QString());
    const QStringList evidence = evidenceLines(e, line, locale());
    evidence_->setText(evidence.join(u'\n'));
    evidence_->setAccessibleDescription(evidence.join(u"; "_s));
}

void EstimateWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // While sources are read, Esc stops the reading as Cancel does; then it closes.
        if (estimate_.reading()) {
            estimate_.cancelReading();
        } else {
            close();
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace veskplan
