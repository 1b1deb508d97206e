#include "history/serverhistorysource.h"

#include "history/serverhistory.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

const PriceSourceKind& ServerHistorySource::sourceKind() {
    static const PriceSourceKind kind{
        u"history"_s, u"Bid history"_s,          u"Bid History Server"_s,
        QString(),    &ServerHistory::isAddress, &openAs<ServerHistorySource>};
    return kind;
}

QString ServerHistorySource::name() const {
    return ServerHistory::shownName(address_);
}

SourcePrices ServerHistorySource::pricesFor(const QStringList& itemNumbers) {
    read_ = true;
    ServerHistory history = ServerHistory::connect(address_);
    return SourcePrices{history.bidsFor(itemNumbers), {}, history.newestLetting(), {}};
}

SourcePrices ServerHistorySource::pricesIn(const QStringList& itemNumbers,
                                           const BidWindow& window) {
    read_ = true;
    ServerHistory history = ServerHistory::connect(address_);
    return SourcePrices{history.bidsFor(itemNumbers, window),
                        {},
                        history.newestLetting(),
                        history.itemsWithBids(itemNumbers)};
}

}  // namespace veskplan
