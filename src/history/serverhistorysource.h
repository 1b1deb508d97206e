#pragma once

#include "history/pricesource.h"
#include "history/pricesourcekind.h"
#include "history/sessionpasswords.h"

namespace veskplan {

class ServerHistory;

// The bids of a bid history on a PostgreSQL server, read-only: each pricing connects, asks for
// the bids of the estimate's items alone (those its window selects, when it says its window),
// and closes.
class ServerHistorySource : public PriceSource {
public:
    // `passwords` (if any) hold what the user typed for the address this session.
    explicit ServerHistorySource(QString address, SessionPasswords* passwords = nullptr)
        : address_(std::move(address)), passwords_(passwords) {}

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
    // Connects with the session's password for the address, if any; one refused is forgotten.
    ServerHistory connected();

    QString address_;
    SessionPasswords* passwords_;
    bool read_ = false;
};

}  // namespace veskplan
