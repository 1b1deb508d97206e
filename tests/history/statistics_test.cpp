#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "history/bidhistory.h"
#include "history/bidstatistics.h"
#include "history/pricesourcekind.h"
#include "history/statisticstable.h"
#include "support/installedunits.h"
#include "support/recordtext.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::dataPath;

using test::kExcavation;
using test::kPavement;

class Statistics : public ::testing::Test {
protected:
    void SetUp() override {
        history_.emplace(BidHistory::open(dir_.filePath(u"h.db"_s), false));
        ASSERT_EQ(history_->import(dataPath(u"history/bids.csv"_s), test::installedUnits()).rows,
                  17);
    }
    QTemporaryDir dir_;
    std::optional<BidHistory> history_;
};

TEST_F(Statistics, TheFiguresOfEachWindowAreThoseWorkedOutByHand) {
    test::expectStatisticsByHand([this](const QString& item, const BidWindow& window) {
        return history_->bidsFor({item}, window)[item];
    });
}

TEST_F(Statistics, EveryFigureTracesToItsBidRows) {
    const ItemStatistics s =
        computeStatistics(history_->bidsFor(kExcavation), u"CY"_s, BidWindow{}, nullptr, {});
    EXPECT_EQ(std::tuple(s.bidIds, s.minQuantity, s.maxQuantity, test::text(*history_->bid(7)),
                         history_->bid(99).has_value()),
              std::tuple(std::vector<qint64>{7, 1, 5}, 50.0, 300.0,  // letting order
                         u"2105-0100030|COMMON EXCAVATION (CV)|CY|50|16|2024-11-01|C3|0|Y|north"_s,
                         false));
    EXPECT_EQ(*history_->bid(7), s.bidsUsed.front());
}

// The regression's figures are among those worked out by hand above; here what keeps it away.
TEST_F(Statistics, EightContractsGiveTheLogRegressionAndItsPredictionInterval) {
    const std::vector<BidRecord> bids = history_->bidsFor(kPavement);
    BidWindow seven;
    seven.to = QDate(2025, 7, 31);
    EXPECT_FALSE(computeStatistics(bids, u"SY"_s, seven, nullptr, 1000.0).regression);
    EXPECT_FALSE(computeStatistics(bids, u"SY"_s, BidWindow{}, nullptr, std::nullopt).regression);
    EXPECT_FALSE(computeStatistics(bids, u"SY"_s, BidWindow{}, nullptr, 0.0).regression);
    std::vector<BidRecord> sameQuantity = bids;
    for (BidRecord& bid : sameQuantity) {
        bid.quantity = 500;
    }
    EXPECT_FALSE(computeStatistics(sameQuantity, u"SY"_s, BidWindow{}, nullptr, 1000.0).regression);
}

TEST(StudentT, QuantilesMatchTheTable) {
    for (const QStringList& c : test::tableRows(u"history/studentt.txt"_s, 3)) {
        const double t = c[2].toDouble();
        EXPECT_NEAR(studentTQuantile(c[0].toDouble(), c[1].toInt()), t, 1e-6 * std::max(1.0, t))
            << c.join(u' ').toStdString();
    }
    EXPECT_THROW(studentTQuantile(1, 3), std::invalid_argument);
    EXPECT_THROW(studentTQuantile(0.9, 0), std::invalid_argument);
}

TEST(CostIndexFile, FactorsUseTheQuarterAndTheLatestForLaterOnes) {
    const CostIndex index = CostIndex::read(dataPath(u"history/index.csv"_s));
    EXPECT_TRUE(!index.isEmpty() && index.quarters() == 3 && CostIndex().isEmpty());
    EXPECT_DOUBLE_EQ(*index.factor(QDate(2024, 12, 31), QDate(2025, 4, 1)), 1.2);
    EXPECT_DOUBLE_EQ(*index.factor(QDate(2025, 3, 31), QDate(2030, 1, 1)), 120.0 / 110);
    EXPECT_DOUBLE_EQ(*index.factor(QDate(2025, 6, 30), QDate(2025, 1, 1)), 110.0 / 120);
    EXPECT_FALSE(index.factor(QDate(2024, 9, 30), QDate(2025, 1, 1)) ||
                 index.factor(QDate(2025, 1, 1), QDate()));
}

TEST(CostIndexFile, BadFilesAreRefusedWithLineAndReason) {
    for (const QStringList& c : test::tableRows(u"history/badindex.txt"_s, 2)) {
        const QByteArray bytes = QString(c[0]).replace(u"\\n"_s, u"\n"_s).toUtf8();
        const QString error = test::errorMessage([&] { CostIndex::parse(bytes, u"i.csv"_s); });
        EXPECT_TRUE(error.startsWith(u"The file i.csv could not be read"_s)) << error.toStdString();
        EXPECT_TRUE(error.endsWith(c[1])) << error.toStdString();
    }
    const CostIndex blanks =
        CostIndex::parse("\n quarter , INDEX,Note\n\n2024q2,\"1,234.5\",x\n", u"i.csv"_s);
    EXPECT_EQ(blanks.valueAt(QDate(2024, 5, 1)), 1234.5);
}

TEST(SampleData, TheBundledSourcesPriceTheSampleProjectWithARegression) {
    QTemporaryDir dir;
    const QString data = QStringLiteral(VESKPLAN_SOURCE_DIR "/data/");
    const QString file = dir.filePath(u"h.db"_s);
    EXPECT_GT(BidHistory::open(file, false)
                  .import(data + u"sample-bids.csv"_s, test::installedUnits())
                  .rows,
              100);
    // Opened as the project keeps them, named by their files, read again once they change.
    const auto history = openPriceSource(u"history"_s, file);
    const std::vector<BidRecord> bids = history->pricesFor({kPavement}).bids.at(kPavement);
    const bool read = !history->changedSinceRead() && history->name() == u"h.db"_s;
    BidHistory::open(file, false).import(dataPath(u"history/bids.csv"_s), test::installedUnits());
    EXPECT_TRUE(read && history->changedSinceRead());
    const CostIndex index = CostIndex::read(data + u"sample-index.csv"_s);
    BidWindow window;
    window.escalate = true;
    window.estimateDate = QDate(2026, 9, 30);
    const ItemStatistics pavement = computeStatistics(bids, u"SY"_s, window, &index, 50.0);
    EXPECT_GE(pavement.contracts, 8);
    ASSERT_TRUE(pavement.regression);
    EXPECT_LT(pavement.regression->lower90, pavement.regression->predicted);
    EXPECT_EQ(pavement.otherUnitBids + pavement.notEscalatedBids, 0);
    EXPECT_EQ(openPriceSource(u"prices"_s, data + u"sample-prices.csv"_s)
                  ->pricesFor({kPavement, u"9999"_s})
                  .published.size(),
              1u);
}

}  // namespace
}  // namespace veskplan
