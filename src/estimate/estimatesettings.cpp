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

namespace {

const std::pair<BidSelection, QString> kSelections[] = {{BidSelection::Low, u"low"_s},
                                                        {BidSelection::ThreeLowest, u"three"_s},
                                                        {BidSelection::All, u"all"_s}};
const std::pair<PriceStatistic, QString> kStatistics[] = {
    {PriceStatistic::WeightedAverage, u"weighted"_s},
    {PriceStatistic::Median, u"median"_s},
    {PriceStatistic::QuantityAdjusted, u"adjusted"_s}};

template <typename Value, size_t N>
QString codeOf(const std::pair<Value, QString> (&table)[N], Value value) {
    for (const auto& [known, code] : table) {
        if (known == value) {
            return code;
        }
    }
    return QString();
}

template <typename Value, size_t N>
std::optional<Value> valueOf(const std::pair<Value, QString> (&table)[N], const QString& code) {
    for (const auto& [known, name] : table) {
        if (name == code) {
            return known;
        }
    }
    return std::nullopt;
}

}  // namespace

QString bidSelectionCode(BidSelection selection) {
    return codeOf(kSelections, selection);
}

std::optional<BidSelection> bidSelectionFromCode(const QString& code) {
    return valueOf(kSelections, code);
}

QString priceStatisticCode(PriceStatistic statistic) {
    return codeOf(kStatistics, statistic);
}

std::optional<PriceStatistic> priceStatisticFromCode(const QString& code) {
    return valueOf(kStatistics, code);
}

EstimateSettings settingsOf(const EstimateSetup& setup, QDate today) {
    EstimateSettings settings =
        EstimateSettings::standard(setup.estimateDate.isValid() ? setup.estimateDate : today);
    BidWindow& window = settings.window;
    window.from = setup.from.isValid() ? setup.from : window.from;
    window.to = setup.to.isValid() ? setup.to : window.to;
    window.region = setup.region;
    window.bids = bidSelectionFromCode(setup.bids).value_or(window.bids);
    window.escalate = setup.escalate && !setup.indexFile.isEmpty();
    settings.statistic = priceStatisticFromCode(setup.statistic).value_or(settings.statistic);
    return settings;
}

EstimateSetup withSettings(EstimateSetup setup, const EstimateSettings& settings) {
    const BidWindow& window = settings.window;
    setup.estimateDate = window.estimateDate;
    setup.from = window.from;
    setup.to = window.to;
    setup.region = window.region;
    setup.bids = bidSelectionCode(window.bids);
    setup.statistic = priceStatisticCode(settings.statistic);
    setup.escalate = window.escalate;
    return setup;
}

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

QString noBidInWindow(const EstimateSettings& settings) {
    return u"No bid of the bid history falls in the window ("_s + describeSettings(settings) +
           u"): choose other dates, another region or more bids."_s;
}

}  // namespace veskplan
