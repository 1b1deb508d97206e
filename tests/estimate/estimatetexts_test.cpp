#include <gtest/gtest.h>
#include <QDir>
#include <QRegularExpression>

#include "estimate/estimatetexts.h"
#include "support/recordtext.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(EstimateTexts, EachTextOfTheWindowAndThePlotIsWorkedOutInTheUsersLocale) {
    const QLocale de(QLocale::German, QLocale::Germany);
    Estimate e;
    e.subtotals = {{u"01"_s, u"GRADING & PIPE"_s, 12345678}};
    e.itemsCents = 12345678;
    e.mobilizationCents = 617284;
    e.totalCents = 12962962;
    e.escalation = EscalationBasis{u"index.csv"_s, u"2026Q1"_s, u"2025Q4"_s};
    EstimateLine& line = e.lines.emplace_back();
    line.item = {u"2501-0150000 "_s, u"01"_s, u"15 INCH PIPE "_s, u"LF "_s, 1600.0};
    line.unitPrice = 1234.5;
    line.kind = PriceKind::WeightedAverage;
    line.priceUnit = u"LF "_s;
    line.note = u"quote"_s;
    line.source = u"bids.sqlite"_s;
    line.escalatedFrom = u"2025Q2"_s;
    line.escalatedTo = u"2026Q1"_s;
    line.flags = unsigned(EstimateFlag::FewContracts) | unsigned(EstimateFlag::IndexEnds);
    line.statistics = ItemStatistics{{}, {}, 2, 2, 46.666, 45, 40, 50, 0.157, 1000, 2000};
    line.published.emplace().averagePrice = 52;
    std::vector<EstimateLine> plotted(5, e.lines[0]);
    plotted[1].statistics->contracts = plotted[2].statistics->contracts = 8;
    plotted[2].item.quantity.reset();
    plotted[3].item.quantity = 12.5;
    plotted[3].statistics->regression = PriceRegression{0, 0, 8, 2.5, 2, 3.1};
    plotted[3].statistics->bidsUsed = {
        {0, {}, {}, u"LF "_s, 1000, 40, QDate(2025, 3, 12), u"C-1"_s},
        {0, {}, {}, u"LF"_s, 2000, 50, QDate(2025, 6, 30), u"C-2"_s}};
    plotted[4].statistics.reset();
    QStringList texts{sourcesText({}, {}),
                      QDir::fromNativeSeparators(sourcesText({{u"history"_s, u"/data/bids.db"_s},
                                                              {u"prices"_s, u"a.csv"_s},
                                                              {u"prices"_s, u"/p/b.xlsx"_s}},
                                                             u"i.csv"_s)),
                      totalsText(e, de).rich,
                      totalsText(e, de).plain,
                      evidenceLines(e, 0, de).join(u"; "_s),
                      evidenceLines(e, 1, de).join(u"; "_s)};
    for (const EstimateLine& l : plotted) {
        texts << regressionText(l, de) + u'|' + plotSummary(l, de);
    }
    texts << plotText(plotted[3], de).replace(u'\n', u'|') << plotText(plotted[4], de);
    EXPECT_EQ(texts,
              test::dataLines(u"estimate/texts.txt"_s).filter(QRegularExpression(u"^[^#]"_s)));
}

}  // namespace
}  // namespace veskplan
