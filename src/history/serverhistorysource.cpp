#include "history/serverhistorysource.h"

#include "history/serverhistory.h"
#include "history/serverloginerror.h"

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
    ServerHistory history = connected();
    return SourcePrices{history.bidsFor(itemNumbers), {}, history.newestLetting(), {}};
}

SourcePrices ServerHistorySource::pricesIn(const QStringList& itemNumbers,
                                           const BidWindow& window) {
    read_ = true;
    ServerHistory history = connected();
    return SourcePrices{history.bidsFor(itemNumbers, window),
                        {},
                        history.newestLetting(),
                        history.itemsWithBids(itemNumbers)};
}

ServerHistory ServerHistorySource::connected() {
    const QString password = passwords_ ? passwords_->find(address_) : QString();
    try {
        return ServerHistory::connect(address_, password);
    } catch (const ServerLoginError& error) {
        if (error.refused() && passwords_) {
            passwords_->forget(address_);  // asked again next time
        }
        throw;
    }
}

}  // namespace veskplan
