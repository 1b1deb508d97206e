#include "estimate/pricesources.h"

#include <QFileInfo>

#include "history/bidhistory.h"
#include "history/pricefile.h"
#include "project/projectrecord.h"

namespace veskplan {

PriceSources PriceSources::load(const QString& historyPath, const QStringList& priceFiles,
                                const QString& indexPath, const QStringList& itemNumbers) {
    PriceSources sources;
    if (!historyPath.isEmpty()) {
        QStringList numbers;
        for (const QString& number : itemNumbers) {
            numbers.append(withoutTrailingBlanks(number).toString());
        }
        numbers.removeDuplicates();
        sources.bids = BidHistory::open(historyPath, true).bidsFor(numbers);
    }
    for (const QString& file : priceFiles) {
        std::vector<PublishedPrice> prices = readPriceFile(file);
        sources.published.insert(sources.published.end(), std::make_move_iterator(prices.begin()),
                                 std::make_move_iterator(prices.end()));
    }
    if (!indexPath.isEmpty()) {
        sources.index = CostIndex::read(indexPath);
        sources.indexName = QFileInfo(indexPath).fileName();
    }
    return sources;
}

}  // namespace veskplan
