#include "estimate/estimatesettings.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

EstimateSettings EstimateSettings::standard(QDate estimateDate) {
    EstimateSettings settings;
    settings.window.estimateDate = estimateDate;
    settings.window.to = estimateDate;
    settings.window.from = estimateDate.addMonths(-24);
    return settings;
}

}  // namespace veskplan

namespace veskplan {

QString describeSettings(const EstimateSettings& settings) {
    const BidWindow& w = settings.window;
    QString text = w.bids == BidSelection::Low           ? u"low bids"_s
                   : w.bids == BidSelection::ThreeLowest ? u"three lowest bids"_s
                                                         : u"all bids"_s;
    text += u" let "_s + w.from.toString(Qt::ISODate) + u" to "_s + w.to.toString(Qt::ISODate);
    text += w.region.isEmpty() ? u", every region"_s : u", region "_s + w.region;
    text += settings.statistic == PriceStatistic::WeightedAverage ? u", weighted average"_s
            : settings.statistic == PriceStatistic::Median        ? u", median"_s
                                                                  : u", quantity-adjusted"_s;
    if (w.escalate) {
        text += u", escalated to "_s + w.estimateDate.toString(Qt::ISODate);
    }
    return text;
}

}  // namespace veskplan
