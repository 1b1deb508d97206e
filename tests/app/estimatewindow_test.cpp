#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QTableView>
#include <QTest>

#include "app/bidplot.h"
#include "app/estimatewindow.h"
#include "app/windowfixture.h"
#include "estimate/estimatetexts.h"
#include "history/bidhistory.h"
#include "support/installedunits.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

class EstimateWindowTest : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        applyApplicationFont();
        start();
        tester = std::make_unique<QAbstractItemModelTester>(
            &controller->estimate().model(),
            QAbstractItemModelTester::FailureReportingMode::Warning);
        addMasterRow(0);  // 2101-0100000 CLEARING, ACRE
        addMasterRow(3);  // 2501-0150000 15 INCH RC PIPE CULVERT, LF
        doc().setQuantity(0, 12.5);
        doc().setQuantity(1, 40);
        showWindow();
        QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);  // Engineer's Estimate
        estimate = window->findChild<EstimateWindow*>(u"estimateWindow"_s);
        ASSERT_NE(estimate, nullptr);
        QApplication::setActiveWindow(estimate);
        ASSERT_TRUE(QTest::qWaitForWindowActive(estimate));
    }
    template <typename W = QWidget>
    W* find(const QString& name) {
        W* widget = estimate->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QPoint cell(int row, int column) {
        QTableView* table = estimate->table();
        return table->visualRect(table->model()->index(row, column)).center();
    }
    QString shown(int row, int column, int role = Qt::DisplayRole) {
        return estimate->table()->model()->index(row, column).data(role).toString();
    }
    // The low bids of 2101-0100000 (ACRE) from eight contracts, priced 100 / sqrt(quantity): a
    // line the regression fits exactly; those of 2501-0150000 (LF) from two.
    void useBids() {
        const QString history = sandbox.path(u"bids.db"_s);
        BidHistory::open(history, false)
            .import(test::dataPath(u"app/estimate-bids.csv"_s), test::installedUnits());
        ASSERT_TRUE(controller->estimate().useSources({{u"history"_s, history}}, QString()));
    }
    void clickHeading(int column) {
        QHeaderView* header = estimate->table()->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }

    std::unique_ptr<QAbstractItemModelTester> tester;
    EstimateWindow* estimate = nullptr;
};

TEST_F(EstimateWindowTest, EveryControlIsNamedForTheUserAndTheItemTableHasTheFocus) {
    EXPECT_EQ(QApplication::focusWidget(), estimate->table());
    EXPECT_FALSE(find(u"estimatePlot"_s)->accessibleName().isEmpty());
    // Each access key reaches one control: a shared one only moves between them.
    QSet<QChar> keys;
    for (QWidget* w : estimate->findChildren<QWidget*>()) {
        const QString caption = w->property("text").toString();
        const qsizetype amp = caption.indexOf(u'&');
        if (amp >= 0 && amp + 1 < caption.size() && !caption.contains(u"&nbsp;"_s)) {
            EXPECT_FALSE(keys.contains(caption[amp + 1].toLower())) << caption.toStdString();
            keys.insert(caption[amp + 1].toLower());
        }
    }
}

TEST_F(EstimateWindowTest, ATypedPriceIsOneStepThatCtrlZTakesBack) {
    const int price = EstimateTableModel::UnitPriceColumn;
    ASSERT_EQ(estimate->table()->model()->rowCount(), 2);
    EXPECT_TRUE(shown(0, EstimateTableModel::FlagsColumn).contains(u"no price"_s));
    QTest::mouseClick(estimate->table()->viewport(), Qt::LeftButton, {}, cell(1, price));
    const QString item = shown(1, EstimateTableModel::ItemNumberColumn);
    type(u"310.50"_s);
    const ItemKey key = ItemKey::of(store().record(item == u"2101-0100000"_s ? 0 : 1));
    ASSERT_NE(doc().prices().find(key), nullptr);
    EXPECT_EQ(*doc().prices().find(key), (ItemPrice{310.5, shown(1, EstimateTableModel::UnitColumn),
                                                    PriceKind::Typed, QString()}));
    // The priced item carries the whole total: it is the major item, and stays in its place.
    EXPECT_EQ(shown(1, EstimateTableModel::ItemNumberColumn), item);
    EXPECT_TRUE(shown(1, EstimateTableModel::FlagsColumn).contains(u"major item"_s));
    EXPECT_EQ(estimate->table()->currentIndex().row(), 1);
    EXPECT_TRUE(find<QLabel>(u"estimateEvidence"_s)->text().contains(u"Typed"_s));
    QTest::keyClick(estimate->table(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc().prices().find(key), nullptr);
    EXPECT_EQ(controller->estimate().estimate().totalCents, 0);
    QTest::keySequence(estimate->table(), QKeySequence::Redo);
    EXPECT_EQ(controller->estimate().estimate().totalCents,
              item == u"2101-0100000"_s ? 388125 : 1242000);

    // The note is typed beside the price, one more step; the unpriced item takes none.
    const int note = EstimateTableModel::NoteColumn;
    QTest::mouseClick(estimate->table()->viewport(), Qt::LeftButton, {}, cell(1, note));
    type(u"quote"_s);
    EXPECT_EQ(doc().prices().find(key)->note, u"quote"_s);
    EXPECT_EQ(shown(1, note), u"quote"_s);
    QTest::mouseClick(estimate->table()->viewport(), Qt::LeftButton, {}, cell(0, note));
    type(u"x"_s);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_TRUE(port.messages.back().text.contains(u"no price to note"_s));
    QTest::keyClick(estimate->table(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc().prices().find(key)->note, QString());
}

TEST_F(EstimateWindowTest, TheItemsKeepTheEstimatesOrderUntilAHeadingIsClicked) {
    doc().setQuantity(0, 100);  // 2101-0100000 now 100, 2501-0150000 40
    const std::vector<EstimateLine>& lines = controller->estimate().estimate().lines;
    EXPECT_EQ(shown(0, EstimateTableModel::ItemNumberColumn) +
                  shown(1, EstimateTableModel::ItemNumberColumn),
              lines[0].item.itemNumber + lines[1].item.itemNumber);
    // Quantities sort as numbers; a third click brings the estimate's order back.
    const int quantity = EstimateTableModel::QuantityColumn;
    for (const auto& [first, sorted] :
         {std::pair(u"2501-0150000"_s, true), std::pair(u"2101-0100000"_s, true),
          std::pair(u"2101-0100000"_s, false)}) {
        clickHeading(quantity);
        EXPECT_EQ(shown(0, EstimateTableModel::ItemNumberColumn), first);
        EXPECT_EQ(estimate->table()->horizontalHeader()->sortIndicatorSection(),
                  sorted ? quantity : -1);
    }
}

TEST_F(EstimateWindowTest, EveryCellShowsWhatItHoldsOrItsTipDoes) {
    useBids();
    QTableView* table = estimate->table();
    const QHeaderView* header = table->horizontalHeader();
    const QFontMetrics metrics = table->fontMetrics();
    // What an item view leaves beside a cell's text.
    const int margin =
        2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
    EXPECT_GE(header->sectionSize(EstimateTableModel::BidsColumn),
              metrics.horizontalAdvance(u"1,234"_s) + margin);
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        for (int column = 0; column < EstimateTableModel::kColumnCount; ++column) {
            const QString text = shown(row, column);
            if (column == EstimateTableModel::FlagsColumn) {
                EXPECT_EQ(shown(row, column, Qt::ToolTipRole), text);
            } else {
                EXPECT_GE(header->sectionSize(column), metrics.horizontalAdvance(text) + margin)
                    << text.toStdString();
            }
        }
    }
    // The flags take the width the other columns leave.
    EXPECT_GE(header->length(), table->viewport()->width());
}

TEST_F(EstimateWindowTest,
       ThePlotAndTheEvidenceShowTheChosenItemsTextsAndTheFilterChoosesTheItems) {
    useBids();
    doc().setQuantity(0, 1600);  // 2101-0100000: 100 / sqrt(1600) = 2.50
    const QLocale de(QLocale::German, QLocale::Germany);
    estimate->setLocale(de);
    const auto texts = [this] {
        return QStringList{find<QLabel>(u"estimatePlotNote"_s)->text(),
                           find<BidPlot>(u"estimatePlot"_s)->accessibleDescription(),
                           find<QLabel>(u"estimateEvidence"_s)->text()};
    };
    const Estimate& e = controller->estimate().estimate();
    for (const int row : {0, 1}) {  // a regression; too few contracts for one
        QTest::mouseClick(estimate->table()->viewport(), Qt::LeftButton, {},
                          cell(row, EstimateTableModel::UnitColumn));
        const EstimateLine& line = e.lines[size_t(row)];
        EXPECT_EQ(texts(), (QStringList{regressionText(line, de), plotText(line, de),
                                        evidenceLines(e, row, de).join(u'\n')}));
    }
    // The plot as text is what a reader hears on it and what Ctrl+C copies from it.
    auto* plot = find<BidPlot>(u"estimatePlot"_s);
    plot->setFocus(Qt::TabFocusReason);
    QTest::keyClick(plot, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), plotText(e.lines[1], de));
    EXPECT_TRUE(regressionText(e.lines[0], de).startsWith(u"Predicted 2,50 "_s));
    auto* filter = find<QLineEdit>(u"estimateFilter"_s);
    filter->setFocus();
    QTest::keyClicks(filter, u"culvert"_s);
    ASSERT_EQ(estimate->table()->model()->rowCount(), 1);
    EXPECT_EQ(shown(0, EstimateTableModel::ItemNumberColumn), u"2501-0150000"_s);
    QTest::keyClicks(filter, u" no such item"_s);
    EXPECT_EQ(texts(), (QStringList{QString(), QString(), evidenceLines(e, -1, de).join(u'\n')}));
}

TEST_F(EstimateWindowTest, TheSettingsWidgetsFollowSettingsChangedElsewhereButNotUnderTheCursor) {
    auto* region = find<QLineEdit>(u"estimateRegion"_s);
    region->setFocus();
    QTest::keyClicks(region, u"Nor"_s);
    EstimateEditing& tool = controller->estimate();
    EstimateSettings settings = tool.settings();
    settings.window.from = QDate(2025, 1, 1);
    settings.window.to = QDate(2026, 6, 30);
    settings.window.estimateDate = QDate(2026, 7, 1);
    settings.window.region = u"South"_s;
    settings.window.bids = BidSelection::All;
    settings.statistic = PriceStatistic::Median;
    tool.setSettings(settings);
    EXPECT_EQ(find<QDateEdit>(u"estimateFrom"_s)->date(), settings.window.from);
    EXPECT_EQ(find<QDateEdit>(u"estimateTo"_s)->date(), settings.window.to);
    EXPECT_EQ(find<QDateEdit>(u"estimateOn"_s)->date(), settings.window.estimateDate);
    EXPECT_EQ(find<QComboBox>(u"estimateBids"_s)->currentText(), u"All bids"_s);
    EXPECT_EQ(find<QComboBox>(u"estimateStatistic"_s)->currentText(), u"Median"_s);
    // What is being typed stays, and showing the rest sent nothing back.
    EXPECT_EQ(region->text(), u"Nor"_s);
    EXPECT_EQ(tool.settings().window.region, u"South"_s);
    QTest::keyClick(region, Qt::Key_Return);
    EXPECT_EQ(tool.settings().window.region, u"Nor"_s);
    estimate->table()->setFocus();
    settings.window.region = QString();
    tool.setSettings(settings);
    EXPECT_EQ(region->text(), QString());
}

TEST_F(EstimateWindowTest, AReopenedProjectPricesAsItWasSaved) {
    const QString history = sandbox.path(u"bids.db"_s);
    BidHistory::open(history, false)
        .import(test::dataPath(u"cli/estimate-bids.csv"_s), test::installedUnits());
    port.files = {history, test::dataPath(u"cli/estimate-prices.csv"_s)};
    // A button's access key clicks it a moment later, as a click shows.
    QTest::keyClick(estimate, Qt::Key_H, Qt::AltModifier);  // History File...
    ASSERT_TRUE(QTest::qWaitFor([this] { return port.dialogs.size() == 1; }));
    QTest::keyClick(estimate, Qt::Key_A, Qt::AltModifier);  // Add Price File...
    ASSERT_TRUE(QTest::qWaitFor([this] { return port.dialogs.size() == 2; }));
    QTest::keyClick(estimate, Qt::Key_R, Qt::AltModifier);  // the region
    QTest::keyClicks(focus(), u"North"_s);
    QTest::keyClick(focus(), Qt::Key_Tab);
    QTest::keyClick(estimate, Qt::Key_M, Qt::AltModifier);  // mobilization
    QTest::keyClick(focus(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(focus(), u"6"_s);
    QTest::keyClick(focus(), Qt::Key_Tab);
    EXPECT_EQ(doc().undoStack().undoText(), u"Mobilization"_s);
    const qint64 total = controller->estimate().estimate().totalCents;
    // North's 320 an acre for 12.5 and published 52.00 a foot for 40, and 6% on top.
    EXPECT_EQ(total, 644480);
    const QString totals = find<QLabel>(u"estimateTotals"_s)->text().section(u"Items"_s, 1);

    QTest::mouseClick(find<QPushButton>(u"estimateClose"_s), Qt::LeftButton);
    reactivate();
    saveAs(u"priced.vsk"_s);
    keys(QKeySequence::New);
    EXPECT_EQ(controller->estimate().estimate().totalCents, 0);
    openProject(u"priced.vsk"_s);
    EXPECT_FALSE(window->isWindowModified());  // the prices read back are no change
    QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
    estimate = window->findChild<EstimateWindow*>(u"estimateWindow"_s);
    EXPECT_EQ(find<QLabel>(u"estimateTotals"_s)->text().section(u"Items"_s, 1), totals);
    EXPECT_EQ(find<QLineEdit>(u"estimateRegion"_s)->text(), u"North"_s);
}

}  // namespace
}  // namespace veskplan

// The project's quantity stands out from the plot's background by 3:1 in any palette: a blue link
// on a dark background is lightened (worked by hand: two steps of 115%, from #0000ff to
// #4c4cff, contrast 3.0), a yellow one on white darkened, and one that stands out kept.
TEST(BidPlotTest, TheProjectsMarkStandsOutFromTheBackgroundInAnyPalette) {
    const struct {
        QColor base, link, expected;
    } cases[] = {
        {QColor(0xffffff), QColor(0x0000ff), QColor(0x0000ff)},
        {QColor(0x1e1e1e), QColor(0x0000ff), QColor(0x4c4cff)},
        {QColor(0x1e1e1e), QColor(0x99c1f1), QColor(0x99c1f1)},
    };
    for (const auto& c : cases) {
        QPalette palette;
        palette.setColor(QPalette::Base, c.base);
        palette.setColor(QPalette::Link, c.link);
        EXPECT_EQ(veskplan::BidPlot::projectMarkColor(palette).name(), c.expected.name()) << c.link.name().toStdString();
    }
    QPalette white;
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Link, Qt::yellow);
    const QColor darkened = veskplan::BidPlot::projectMarkColor(white);
    EXPECT_TRUE(darkened.lightnessF() < 0.5 && darkened.hue() == QColor(Qt::yellow).hue())
        << darkened.name().toStdString();
}
