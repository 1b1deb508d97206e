#include "estimate/pricesources.h"

#include <QFileInfo>
#include <iterator>

#include "history/pricesourcekind.h"
#include "project/projectrecord.h"

namespace veskplan {

void PriceSources::Answer::merge(SourcePrices more) {
    prices.bids.merge(more.bids);
    prices.published.insert(prices.published.end(), std::make_move_iterator(more.published.begin()),
                            std::make_move_iterator(more.published.end()));
}

PriceSources::Answer PriceSources::ask(PriceSource& source, const QStringList& itemNumbers) {
    QStringList numbers;
    for (const QString& number : itemNumbers) {
        numbers.append(withoutTrailingBlanks(number).toString());
    }
    numbers.removeDuplicates();
    return Answer{source.name(), source.pricesFor(numbers)};
}

void PriceSources::readIndex(const QString& indexPath) {
    index = CostIndex::read(indexPath);
    indexName = QFileInfo(indexPath).fileName();
}

PriceSources PriceSources::load(const std::vector<EstimateSetup::Source>& sources,
                                const QString& indexPath, const QStringList& itemNumbers) {
    PriceSources loaded;
    for (const EstimateSetup::Source& described : sources) {
        const std::unique_ptr<PriceSource> source =
            openPriceSource(described.kind, described.location);
        loaded.answers.push_back(ask(*source, itemNumbers));
    }
    if (!indexPath.isEmpty()) {
        loaded.readIndex(indexPath);
    }
    return loaded;
}

}  // namespace veskplan
