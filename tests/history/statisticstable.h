#pragma once

#include <gtest/gtest.h>
#include <QStringList>
#include <functional>
#include <optional>

#include "history/bidstatistics.h"
#include "support/testfiles.h"

namespace veskplan::test {

using namespace Qt::Literals::StringLiterals;

inline const QString kExcavation = u"2105-0100030"_s;
inline const QString kPavement = u"2301-0100070"_s;

// An item's bids in letting order as a source of history/bids.csv gives them for a window:
// every bid of the item, or only those the window selects.
using BidsIn = std::function<std::vector<BidRecord>(const QString& item, const BidWindow& window)>;

// The figures of each window and bid choice, with and without escalation, and the regression
// with its interval: those worked out by hand, whichever source gives the bids.
inline void expectStatisticsByHand(const BidsIn& bidsIn) {
    for (const QStringList& row : test::tableRows(u"history/statistics.txt"_s, 14)) {
        SCOPED_TRACE(row.join(u'|').toStdString());
        BidWindow window;
        window.bids = row[0] == u"low"_s     ? BidSelection::Low
                      : row[0] == u"three"_s ? BidSelection::ThreeLowest
                                             : BidSelection::All;
        window.region = row[1];
        window.from = QDate::fromString(row[2], Qt::ISODate);
        window.to = QDate::fromString(row[3], Qt::ISODate);
        std::optional<CostIndex> index;
        if (!row[4].isEmpty()) {
            index = CostIndex::read(dataPath(u"history/"_s + row[4]));
            window.escalate = true;
            window.estimateDate = QDate(2026, 3, 31);
        }
        const ItemStatistics s = computeStatistics(bidsIn(kExcavation, window), u"CY  "_s, window,
                                                   index ? &*index : nullptr, 120.0);
        EXPECT_EQ(std::pair(s.itemNumber, s.unit), std::pair(kExcavation, u"CY"_s));
        // Counts, average, median, minimum, maximum, CV ("-": none) and the bids left out.
        const auto near = [](double v) { return QString::number(v, 'g', 12); };
        QStringList expected = row.mid(5);
        for (qsizetype i = 2; i < 7; ++i) {
            expected[i] = expected[i] == u"-"_s ? expected[i] : near(expected[i].toDouble());
        }
        const std::optional<double> cv = s.coefficientOfVariation;
        EXPECT_EQ(
            (QStringList{QString::number(s.bids), QString::number(s.contracts),
                         near(s.weightedAverage), near(s.median), near(s.minimum), near(s.maximum),
                         cv ? near(*cv) : u"-"_s, QString::number(s.otherUnitBids),
                         QString::number(s.notEscalatedBids)}),
            expected);
        EXPECT_TRUE(s.bidsUsed.size() == size_t(s.bids) && s.bidIds.size() == size_t(s.bids));
        EXPECT_FALSE(s.regression) << "fewer than eight contracts";
    }
    // ln p = a + b ln q over the eight low bids, by hand: x̄ = ln 100 + 3.5 ln 2,
    // Sxx = 42 (ln 2)², t(0.95, 6) = 1.943180; x0 = ln 1000.
    const ItemStatistics s =
        computeStatistics(bidsIn(kPavement, BidWindow{}), u"SY"_s, BidWindow{}, nullptr, 1000.0);
    ASSERT_TRUE(s.regression);
    const auto fixed = [](double v) { return QString::number(v, 'f', 6); };
    const PriceRegression& r = *s.regression;
    EXPECT_EQ((QStringList{QString::number(r.bids), fixed(r.intercept), fixed(r.slope),
                           fixed(r.predicted), fixed(r.lower90), fixed(r.upper90),
                           fixed(s.weightedAverage), fixed(s.median)}),
              (QStringList{u"8"_s, u"4.627200"_s, u"-0.200929"_s, u"25.514019"_s, u"23.544707"_s,
                           u"27.648046"_s, u"17.850980"_s, u"25.000000"_s}));
}

}  // namespace veskplan::test
