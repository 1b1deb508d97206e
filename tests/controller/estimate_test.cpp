#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>

#include "history/bidhistory.h"
#include "support/controllerfixture.h"
#include "support/installedunits.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// The bids of tests/data/cli/estimate-bids.csv: 2101-0100000 (ACRE) in contracts A and B of the
// North region, S of the South and OLD, let before the window.
class EstimateToolTest : public test::ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        start();
        addMasterRow(0);  // 2101-0100000 CLEARING, ACRE
        doc().setQuantity(0, 10);
        BidHistory::open(history, false)
            .import(test::dataPath(u"cli/estimate-bids.csv"_s), test::installedUnits());
    }
    EstimateEditing& tool() { return controller->estimate(); }
    const EstimateLine& line(int position = 0) { return tool().estimate().lines[size_t(position)]; }

    QString history = sandbox.path(u"bids.db"_s);
};

TEST_F(EstimateToolTest, SourcesChosenPriceTheItemsAndAComputedPriceIsOneStep) {
    ASSERT_EQ(tool().estimate().lines.size(), 1u);
    EXPECT_TRUE(line().has(EstimateFlag::NoPrice));
    port.files = {history};
    tool().chooseHistoryFile();
    // Every region: the low bids of A, B and S, (300 x 10 + 330 x 20 + 500 x 20) / 50 = 392.
    EXPECT_TRUE(line().unitPriceCents == 39200 && line().kind == PriceKind::WeightedAverage);
    EstimateSettings settings = tool().settings();
    settings.window.region = u"north"_s;
    settings.statistic = PriceStatistic::Median;
    tool().setSettings(settings);
    EXPECT_TRUE(line().unitPriceCents == 31500 && doc().prices().items().empty());

    const int steps = doc().undoStack().count();
    EXPECT_TRUE(tool().applyComputedPrice(0) && doc().undoStack().count() == steps + 1);
    const ItemPrice* stored = doc().prices().find(ItemKey::of(store().record(0)));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(*stored, (ItemPrice{315, u"ACRE"_s, PriceKind::Median, stored->note}));
    EXPECT_TRUE(stored->note.contains(u"2 bids"_s)) << stored->note.toStdString();
    // The stored price stands whatever the window says now.
    settings.statistic = PriceStatistic::WeightedAverage;
    tool().setSettings(settings);
    EXPECT_EQ(line().unitPriceCents, 31500);
    tool().clearPrice(0);
    EXPECT_EQ(line().unitPriceCents, 32000);
    // A note on the computed price keeps that price as it stands.
    EXPECT_TRUE(tool().setNote(0, u" district 3 only "_s));
    stored = doc().prices().find(ItemKey::of(store().record(0)));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(*stored,
              (ItemPrice{320, u"ACRE"_s, PriceKind::WeightedAverage, u"district 3 only"_s}));
    doc().undoStack().undo();
    EXPECT_EQ(doc().prices().find(ItemKey::of(store().record(0))), nullptr);
    EXPECT_FALSE(tool().setNote(5, u"x"_s) || tool().applyComputedPrice(5));

    // An item added later brings its bids along; one without any has no price to apply.
    addMasterRow(3);
    ASSERT_EQ(tool().estimate().lines.size(), 2u);
    EXPECT_FALSE(tool().applyComputedPrice(1));
}

TEST_F(EstimateToolTest, TypedPricesAndPercentagesAreCheckedAndFilesThatCannotBeReadAreTold) {
    EXPECT_TRUE(tool().setTypedPrice(0, u" 12.25 "_s) && line().amountCents == 12250);
    EXPECT_FALSE(tool().setTypedPrice(0, u"-3"_s));
    EXPECT_FALSE(tool().setTypedPrice(0, u"twelve"_s));
    ASSERT_EQ(port.messages.size(), 2u);
    EXPECT_TRUE(port.messages[1].text.contains(u"no unit price"_s));
    EXPECT_TRUE(tool().setTypedPrice(0, QString()) && line().has(EstimateFlag::NoPrice));
    EXPECT_FALSE(tool().setTypedPrice(7, u"1"_s));
    EXPECT_TRUE(!tool().setContingencyPercent(-1) && tool().setContingencyPercent(std::nullopt));

    port.clear();
    port.files = {test::dataPath(u"cli/estimate-bids.csv"_s)};  // no cost index
    tool().chooseIndexFile();
    EXPECT_TRUE(port.messages.size() == 1 && tool().indexFile().isEmpty());
    port.files = {test::dataPath(u"cli/estimate-prices.csv"_s)};
    tool().addPriceFile();
    EXPECT_TRUE(line().kind == PriceKind::Published && line().source == u"estimate-prices.csv"_s);
    port.files = {std::nullopt, history};
    tool().chooseHistoryFile();  // cancelled
    tool().chooseHistoryFile();  // a bid history goes before the price files, and its bids first
    EXPECT_EQ(tool().sources(), (std::vector<EstimateSetup::Source>{
                                    {u"history"_s, history},
                                    {u"prices"_s, test::dataPath(u"cli/estimate-prices.csv"_s)}}));
    EXPECT_TRUE(line().kind == PriceKind::WeightedAverage && line().source == u"bids.db"_s);
}

TEST_F(EstimateToolTest, TheWorkbookAndThePdfAreWrittenWhereTheUserSaysOrTheFailureIsTold) {
    tool().setTypedPrice(0, u"100"_s);
    port.files = {sandbox.path(u"job estimate.xlsx"_s), sandbox.path(u"job estimate.pdf"_s),
                  sandbox.path(u"no such folder/e.pdf"_s), std::nullopt};
    tool().exportWorkbook();
    tool().exportPdf();
    EXPECT_EQ(
        port.messageTexts(),
        (std::vector<QString>{u"Estimate saved as "_s +
                                  QDir::toNativeSeparators(sandbox.path(u"job estimate.xlsx"_s)),
                              u"Estimate saved as "_s +
                                  QDir::toNativeSeparators(sandbox.path(u"job estimate.pdf"_s))}));
    EXPECT_TRUE(QFileInfo::exists(sandbox.path(u"job estimate.xlsx"_s)));
    EXPECT_TRUE(QFileInfo::exists(sandbox.path(u"job estimate.pdf"_s)));
    EXPECT_EQ(port.dialogs[0].defaultSuffix, u"xlsx"_s);
    port.clear();
    tool().exportPdf();
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_TRUE(port.messages[0].text.contains(u"e.pdf"_s) &&
                !port.messages[0].text.startsWith(u"Estimate saved"_s));
    tool().exportWorkbook();  // cancelled
    EXPECT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(tool().title().estimateDate, QDate(2026, 12, 6));
}

TEST_F(EstimateToolTest, TheSetupIsTheProjectsAndTheEstimateFollowsItsHistory) {
    EXPECT_TRUE(controller->openEstimate().sources().empty());  // none there yet
    const QString chosen = controller->historyImport().historyFile();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(chosen).absolutePath()));
    BidHistory::open(chosen, false)
        .import(test::dataPath(u"cli/estimate-bids.csv"_s), test::installedUnits());
    doc().setModified(false);
    const int steps = doc().undoStack().count();
    controller->openEstimate();
    // Taken as the estimate opens, as no step.
    const EstimateSetup& taken = doc().prices().estimateSetup();
    EXPECT_EQ(std::tuple(taken.sources.at(0).location, taken.estimateDate, doc().undoStack().count(),
                         doc().isModified(), line().unitPriceCents.value_or(0)),
              std::tuple(chosen, QDate(2026, 12, 6), steps, false, qint64(39200)));

    EstimateSettings settings = tool().settings();
    settings.window.region = u"North"_s;
    tool().setSettings(settings);
    EXPECT_EQ(std::pair(doc().prices().estimateSetup().region, line().unitPriceCents.value_or(0)),
              std::pair(u"North"_s, qint64(32000)));
    doc().undo();
    EXPECT_EQ(std::pair(tool().settings().window.region, line().unitPriceCents.value_or(0)),
              std::pair(QString(), qint64(39200)));
    doc().redo();

    // A region without bids: said once, not again at the next price typed.
    port.clear();
    settings.window.region = u"Nowhere"_s;
    tool().setSettings(settings);
    EXPECT_TRUE(tool().estimate().windowSelectsNothing);
    tool().setMobilizationPercent(3);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_TRUE(
        port.messages[0].text.startsWith(u"No bid of the bid history falls in the window"_s));
    doc().undo();
    doc().undo();

    // Bids imported into the history the estimate follows count at once.
    int refreshes = 0;
    QObject::connect(&tool(), &EstimateEditing::estimateChanged, [&refreshes] { ++refreshes; });
    port.files = {test::dataPath(u"controller/estimate-more-bids.csv"_s)};
    controller->importBidHistory();
    EXPECT_EQ(std::pair(refreshes, line().statistics->bids), std::pair(1, 3));
    // A history chosen in the estimate stands when it opens again.
    port.files = {history};
    tool().chooseHistoryFile();
    controller->openEstimate();
    EXPECT_EQ(tool().sources().at(0).location, history);

    // A project whose history file is gone says so, naming it.
    const QString saved = projectPath(u"priced.vsk"_s);
    port.files = {saved};
    controller->files().saveAs();
    port.clear();
    ASSERT_TRUE(QFile::remove(history));
    controller->openProject(saved);
    ASSERT_EQ(port.messageTexts().size(), 1u);
    EXPECT_TRUE(port.messageTexts()[0].contains(QDir::toNativeSeparators(history)))
        << port.messageTexts()[0].toStdString();
}

}  // namespace
}  // namespace veskplan
