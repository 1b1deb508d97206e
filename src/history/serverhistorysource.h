#pragma once

#include "history/pricesource.h"
#include "history/pricesourcekind.h"

namespace veskplan {

// The bids of a bid history on a PostgreSQL server, read-only: each pricing connects, asks for
// the bids of the estimate's items alone (those its window selects, when it says its window),
// and closes.
class ServerHistorySource : public PriceSource {
public:
    explicit ServerHistorySource(QString address) : address_(std::move(address)) {}

    static const PriceSourceKind& sourceKind();
    const PriceSourceKind& kind() const override { return sourceKind(); }
    QString name() const override;
    QString location() const override { return address_; }
    SourcePrices pricesFor(const QStringList& itemNumbers) override;
    // Only the bids the window selects cross the network.
    SourcePrices pricesIn(const QStringList& itemNumbers, const BidWindow& window) override;
    // Others may import at any time: after its first answer it is taken as it was, so that the
    // server is not asked at every change of the window; choosing the sources again reads it.
    bool changedSinceRead() const override { return !read_; }

private:
    QString address_;
    bool read_ = false;
};

}  // namespace veskplan
