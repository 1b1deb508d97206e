#include "history/bidhistorysource.h"

#include "history/bidhistory.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

const PriceSourceKind& BidHistorySource::sourceKind() {
    static const PriceSourceKind kind{u"history"_s,     u"Bid history"_s,
                                      u"Bid History"_s, u"Bid History (*.sqlite *.db)"_s,
                                      nullptr,          &openAs<BidHistorySource>};
    return kind;
}

SourcePrices BidHistorySource::pricesFor(const QStringList& itemNumbers) {
    noteRead();
    const BidHistory history = BidHistory::open(path(), true);
    return SourcePrices{history.bidsFor(itemNumbers), {}, history.newestLetting(), {}};
}

SourcePrices BidHistorySource::pricesIn(const QStringList& itemNumbers, const BidWindow& window) {
    noteRead();
    const BidHistory history = BidHistory::open(path(), true);
    return SourcePrices{history.bidsFor(itemNumbers, window),
                        {},
                        history.newestLetting(),
                        history.itemsWithBids(itemNumbers)};
}

}  // namespace veskplan
