#include "estimate/pricesources.h"

#include <QFileInfo>
#include <algorithm>
#include <iterator>

#include "base/error.h"
#include "history/pricesourcekind.h"
#include "history/serverloginerror.h"

namespace veskplan {

void PriceSources::Answer::merge(SourcePrices more) {
    prices.bids.merge(more.bids);
    prices.published.insert(prices.published.end(), std::make_move_iterator(more.published.begin()),
                            std::make_move_iterator(more.published.end()));
    prices.asOf = std::max(prices.asOf, more.asOf);
    if (prices.itemsWithBids && more.itemsWithBids) {
        prices.itemsWithBids->merge(*more.itemsWithBids);
    }
}

PriceSources::Answer PriceSources::ask(PriceSource& source, const QStringList& itemNumbers,
                                       const std::optional<BidWindow>& window) {
    QStringList numbers;
    for (const QString& number : itemNumbers) {
        numbers.append(priceKey(number));
    }
    numbers.removeDuplicates();
    return Answer{source.name(),
                  window ? source.pricesIn(numbers, *window) : source.pricesFor(numbers)};
}

void PriceSources::readIndex(const QString& indexPath) {
    index = CostIndex::read(indexPath);
    indexName = QFileInfo(indexPath).fileName();
}

PriceSourceReading PriceSources::read(const std::vector<EstimateSetup::Source>& sources,
                                      const QString& indexPath, const QStringList& itemNumbers,
                                      const std::optional<BidWindow>& window,
                                      SessionPasswords* passwords) {
    PriceSourceReading reading;
    for (const EstimateSetup::Source& described : sources) {
        try {
            reading.opened.push_back(
                openPriceSource(described.kind, described.location, passwords));
            reading.prices.answers.push_back(ask(*reading.opened.back(), itemNumbers, window));
        } catch (const Error& error) {
            // A password wanted goes to a caller that can ask for one and read again.
            const auto* login = dynamic_cast<const ServerLoginError*>(&error);
            if (login && passwords && !login->refused()) {
                throw;
            }
            reading.failures.append(error.message());
            // A source that opened but could not answer keeps its place, with nothing said.
            if (reading.opened.size() > reading.prices.answers.size()) {
                reading.prices.answers.push_back(Answer{reading.opened.back()->name(), {}});
            }
        }
    }
    if (!indexPath.isEmpty()) {
        try {
            reading.prices.readIndex(indexPath);
        } catch (const Error& error) {
            reading.failures.append(error.message());
        }
    }
    return reading;
}

PriceSources PriceSources::load(const std::vector<EstimateSetup::Source>& sources,
                                const QString& indexPath, const QStringList& itemNumbers,
                                const std::optional<BidWindow>& window) {
    PriceSourceReading reading = read(sources, indexPath, itemNumbers, window);
    if (!reading.failures.isEmpty()) {
        throw Error(reading.failures.first());
    }
    return std::move(reading.prices);
}

}  // namespace veskplan
