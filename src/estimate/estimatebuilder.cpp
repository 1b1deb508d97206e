#include "estimate/estimatebuilder.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numeric>

#include "base/numbertext.h"
#include "history/bidstatistics.h"
#include "project/freetextitem.h"

namespace veskplan::estimatebuilder {
namespace {

using namespace Qt::Literals::StringLiterals;

QString trimmed(const QString& text) {
    return withoutTrailingBlanks(text).trimmed().toString();
}

bool isStatewide(const QString& region) {
    const QString r = region.trimmed();
    return r.isEmpty() || r.compare(u"statewide"_s, Qt::CaseInsensitive) == 0;
}

bool isHistoryKind(std::optional<PriceKind> kind) {
    return kind == PriceKind::WeightedAverage || kind == PriceKind::Median ||
           kind == PriceKind::QuantityAdjusted;
}

QString evidenceNote(const ItemStatistics& statistics, const BidWindow& window) {
    QString note = QString::number(statistics.bids) + u" bids, "_s +
                   QString::number(statistics.contracts) + u" contracts"_s;
    if (window.from.isValid() || window.to.isValid()) {
        note += u", let "_s + window.from.toString(Qt::ISODate) + u" to "_s +
                window.to.toString(Qt::ISODate);
    }
    if (!window.region.isEmpty()) {
        note += u", "_s + window.region;
    }
    return note;
}

// The flags the evidence behind a bid-history price raises.
unsigned evidenceFlags(const EstimateLine& line) {
    if (!isHistoryKind(line.kind) || !line.statistics) {
        return 0;
    }
    const ItemStatistics& s = *line.statistics;
    unsigned flags = 0;
    if (s.contracts < 3) {
        flags |= unsigned(EstimateFlag::FewContracts);
    }
    if (s.coefficientOfVariation && *s.coefficientOfVariation > 0.5) {
        flags |= unsigned(EstimateFlag::HighVariation);
    }
    const double quantity = line.item.quantity.value_or(0);
    if (quantity > 0 && (quantity > 10 * s.maxQuantity || quantity * 10 < s.minQuantity)) {
        flags |= unsigned(EstimateFlag::QuantityOutsideRange);
    }
    return flags;
}

// The fewest lines whose amounts reach 80% of the items' total, largest first.
std::vector<int> majorItems(const std::vector<EstimateLine>& lines, qint64 total) {
    std::vector<int> order(lines.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&lines](int a, int b) {
        return lines[a].amountCents.value_or(0) > lines[b].amountCents.value_or(0);
    });
    std::vector<int> major;
    qint64 carried = 0;
    for (const int position : order) {
        if (total <= 0 || carried * 10 >= total * 8 ||
            lines[position].amountCents.value_or(0) <= 0) {
            break;
        }
        carried += *lines[position].amountCents;
        major.push_back(position);
    }
    return major;
}

QDate earliestLetting(const ItemStatistics& statistics) {
    QDate earliest;
    for (const BidRecord& bid : statistics.bidsUsed) {
        if (!earliest.isValid() || bid.lettingDate < earliest) {
            earliest = bid.lettingDate;
        }
    }
    return earliest;
}

qint64 percentOf(qint64 cents, std::optional<double> percent) {
    return percent ? numbertext::decimalProduct(*percent, cents, 2) : 0;
}

}  // namespace

bool isLumpSum(const QString& unit) {
    QString u = unit.trimmed().toUpper();
    u.remove(u'.');
    return u == u"LS"_s || u == u"L S"_s || u == u"LUMP SUM"_s || u == u"LUMP"_s;
}

bool sameUnit(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

Evidence evidenceFor(const ProjectRecord& item, const PriceSources& sources,
                     const EstimateSettings& settings) {
    Evidence evidence;
    const QString number = trimmed(item.itemNumber);
    const bool byDescription = pricedByDescription(number);
    const auto described = [&](const QString& description) {
        return !byDescription || sameDescription(description, trimmed(item.description));
    };
    bool otherUnit = false;
    bool descriptionKnown = false;
    const CostIndex* index = sources.index.isEmpty() ? nullptr : &sources.index;
    for (const PriceSources::Answer& answer : sources.answers) {
        // A source that sent only the window's bids says which items it holds any of: an item
        // of those is known to the history whatever the window.
        const auto& held = answer.prices.itemsWithBids;
        const bool heldOutside = held && !byDescription && held->contains(number);
        const auto bids = answer.prices.bids.find(number);
        if (bids == answer.prices.bids.end()) {
            evidence.historyBids += heldOutside ? 1 : 0;
            continue;
        }
        // Only a free-text item's bids are sorted by description; the rest are used as they are.
        std::vector<BidRecord> ownDescription;
        if (byDescription) {
            std::copy_if(bids->second.begin(), bids->second.end(),
                         std::back_inserter(ownDescription),
                         [&](const BidRecord& bid) { return described(bid.description); });
        }
        const std::vector<BidRecord>& own = byDescription ? ownDescription : bids->second;
        descriptionKnown = descriptionKnown || !own.empty();
        evidence.historyBids += int(own.size());
        ItemStatistics statistics =
            computeStatistics(own, item.units.trimmed(), settings.window, index, item.quantity);
        otherUnit = otherUnit || statistics.otherUnitBids > 0;
        evidence.selectedBids +=
            statistics.bids + statistics.otherUnitBids + statistics.notEscalatedBids;
        if (statistics.bids > 0 && !evidence.statistics) {
            evidence.statistics = std::move(statistics);
            evidence.statisticsSource = answer.source;
        }
    }
    struct Found {
        const PublishedPrice* price = nullptr;
        const QString* source = nullptr;
    };
    Found regional, statewide;
    for (const PriceSources::Answer& answer : sources.answers) {
        for (const PublishedPrice& price : answer.prices.published) {
            if (trimmed(price.itemNumber) != number) {
                continue;
            }
            if (!described(price.description)) {
                continue;
            }
            descriptionKnown = true;
            if (!sameUnit(price.unit, item.units)) {
                otherUnit = true;
            } else if (!settings.window.region.isEmpty() &&
                       price.region.trimmed().compare(settings.window.region,
                                                      Qt::CaseInsensitive) == 0) {
                regional = regional.price ? regional : Found{&price, &answer.source};
            } else if (isStatewide(price.region)) {
                statewide = statewide.price ? statewide : Found{&price, &answer.source};
            }
        }
    }
    if (const Found chosen = regional.price ? regional : statewide; chosen.price) {
        evidence.published = *chosen.price;
        evidence.publishedSource = *chosen.source;
    }
    evidence.otherUnitOnly = otherUnit && !evidence.statistics && !evidence.published;
    evidence.unknownDescription = byDescription && !descriptionKnown;
    return evidence;
}

std::optional<ItemPrice> computedPrice(const ProjectRecord& item, const Evidence& evidence,
                                       PriceStatistic statistic) {
    if (const auto& s = evidence.statistics) {
        ItemPrice price{s->weightedAverage, item.units, PriceKind::WeightedAverage, QString()};
        if (statistic == PriceStatistic::Median) {
            price = ItemPrice{s->median, item.units, PriceKind::Median, QString()};
        } else if (statistic == PriceStatistic::QuantityAdjusted && s->regression) {
            price = ItemPrice{s->regression->predicted, item.units, PriceKind::QuantityAdjusted,
                              QString()};
        }
        return price;
    }
    if (const auto& p = evidence.published) {
        const QString where = isStatewide(p->region) ? u"statewide"_s : p->region.trimmed();
        return ItemPrice{p->averagePrice, item.units, PriceKind::Published,
                         u"published average, "_s + where};
    }
    return std::nullopt;
}

Estimate build(const std::vector<ProjectRecord>& items, const CategoryList& categories,
               const ProjectPrices& prices, const PriceSources& sources,
               const EstimateSettings& settings) {
    std::vector<ProjectRecord> ordered = items;
    sortRecords(ordered, IndexOrder::PrimaryKey);
    Estimate estimate;
    const bool escalated = settings.window.escalate && !sources.index.isEmpty();
    for (const PriceSources::Answer& answer : sources.answers) {
        estimate.pricedFrom.push_back(PricedFrom{answer.source, answer.prices.asOf});
    }
    if (escalated) {
        estimate.escalation = EscalationBasis{
            sources.indexName, sources.index.reachedQuarter(settings.window.estimateDate),
            sources.index.lastQuarter()};
    }
    bool historyKnowsItems = false;
    int selectedBids = 0;
    estimate.lines.reserve(ordered.size());
    for (ProjectRecord& item : ordered) {
        EstimateLine line;
        const Evidence evidence = evidenceFor(item, sources, settings);
        line.statistics = evidence.statistics;
        line.published = evidence.published;
        historyKnowsItems = historyKnowsItems || evidence.historyBids > 0;
        selectedBids += evidence.selectedBids;
        std::optional<ItemPrice> price;
        if (const ItemPrice* stored = prices.find(ItemKey::of(item))) {
            price = *stored;
        } else {
            price = computedPrice(item, evidence, settings.statistic);
            if (price && isHistoryKind(price->kind) && escalated) {
                line.escalatedFrom = CostIndex::quarterName(earliestLetting(*evidence.statistics));
                line.escalatedTo = estimate.escalation->toQuarter;
                if (sources.index.endsBefore(settings.window.estimateDate)) {
                    line.flags |= unsigned(EstimateFlag::IndexEnds);
                }
            }
            if (price && isHistoryKind(price->kind)) {
                price->note = evidenceNote(*evidence.statistics, settings.window) +
                              escalationText(line, estimate);
            }
            if (price) {
                line.source = isHistoryKind(price->kind) ? evidence.statisticsSource
                                                         : evidence.publishedSource;
            }
        }
        if (price) {
            line.unitPrice = price->unitPrice;
            line.kind = price->kind;
            line.priceUnit = price->unit;
            line.note = price->note;
            line.unitPriceCents = numbertext::decimalProduct(price->unitPrice, 100);
            if (sameUnit(price->unit, item.units)) {
                // A lump sum without a quantity is one of it; any other item without one is
                // priced at nothing, which the designer must see.
                const double quantity = item.quantity.value_or(isLumpSum(item.units) ? 1 : 0);
                line.amountCents = numbertext::decimalProduct(quantity, *line.unitPriceCents);
                if (!item.quantity && !isLumpSum(item.units)) {
                    line.flags |= unsigned(EstimateFlag::NoQuantity);
                }
            } else {
                line.flags |= unsigned(EstimateFlag::UnitDiffers);
            }
        } else {
            line.flags |= unsigned(EstimateFlag::NoPrice);
            if (evidence.otherUnitOnly) {
                line.flags |= unsigned(EstimateFlag::UnitDiffers);
            }
            if (evidence.unknownDescription) {
                line.flags |= unsigned(EstimateFlag::FreeTextNoHistory);
            }
        }
        if (isLumpSum(item.units)) {
            line.flags |= unsigned(EstimateFlag::LumpSum);
        }
        const qsizetype position = categories.numbers().indexOf(item.cat);
        line.categoryDescription =
            position >= 0 ? categories.descriptions().value(position) : QString();
        line.item = std::move(item);
        line.flags |= evidenceFlags(line);
        estimate.itemsCents += line.amountCents.value_or(0);
        if (estimate.subtotals.empty() || estimate.subtotals.back().cat != line.item.cat) {
            estimate.subtotals.push_back(
                CategorySubtotal{line.item.cat, line.categoryDescription, 0});
        }
        estimate.subtotals.back().cents += line.amountCents.value_or(0);
        estimate.lines.push_back(std::move(line));
    }
    estimate.windowSelectsNothing = historyKnowsItems && selectedBids == 0;
    const std::vector<int> major = majorItems(estimate.lines, estimate.itemsCents);
    std::vector<bool> isMajor(estimate.lines.size(), false);
    for (const int position : major) {
        estimate.lines[position].flags |= unsigned(EstimateFlag::MajorItem);
        isMajor[position] = true;
    }
    estimate.majorFirst = major;
    for (int position = 0; position < int(estimate.lines.size()); ++position) {
        if (!isMajor[position]) {
            estimate.majorFirst.push_back(position);
        }
    }
    estimate.mobilizationPercent = prices.mobilizationPercent();
    estimate.mobilizationCents = percentOf(estimate.itemsCents, prices.mobilizationPercent());
    estimate.contingencyPercent = prices.contingencyPercent();
    estimate.contingencyCents =
        percentOf(estimate.itemsCents + estimate.mobilizationCents, prices.contingencyPercent());
    estimate.totalCents =
        estimate.itemsCents + estimate.mobilizationCents + estimate.contingencyCents;
    return estimate;
}

QString escalationText(const EstimateLine& line, const Estimate& estimate) {
    if (line.escalatedFrom.isEmpty() || !estimate.escalation) {
        return QString();
    }
    const QString index = estimate.escalation->indexName.isEmpty() ? u"the cost index"_s
                                                                   : estimate.escalation->indexName;
    return u", escalated by "_s + index + u' ' + line.escalatedFrom + u"\u2192"_s +
           line.escalatedTo;
}

}  // namespace veskplan::estimatebuilder
