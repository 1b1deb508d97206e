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
    const QString password = passwords_ ? passwords_->find(address_) : QString();
    try {
        return SourcePrices{ServerHistory::connect(address_, password).bidsFor(itemNumbers), {}};
    } catch (const ServerLoginError& error) {
        if (error.refused()) {
            passwords_->forget(address_);  // asked again next time
        }
        throw;
    }
}

}  // namespace veskplan
