#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

#include "history/bidrecord.h"
#include "history/publishedprice.h"

namespace veskplan {

struct PriceSourceKind;

// An item number as the sources are asked about it and answer by: without surrounding blanks.
inline QString priceKey(QStringView itemNumber) {
    return itemNumber.trimmed().toString();
}

// What a price source holds of some items: the bids of each item that has any, by its item
// number without surrounding blanks, in letting order; and the published averages of the items
// in the source's own order.
struct SourcePrices {
    std::map<QString, std::vector<BidRecord>> bids;
    std::vector<PublishedPrice> published;
};

// A place an estimate's prices come from: a bid history, a published price file. The estimate
// asks its sources in the user's order and never needs to know which kind it asks.
class PriceSource {
public:
    virtual ~PriceSource() = default;

    // How the user knows it: a file's name, a server's "HOST/DB".
    virtual QString name() const = 0;
    // Where it is, as the project keeps it: a path, a server's address.
    virtual QString location() const = 0;
    virtual const PriceSourceKind& kind() const = 0;
    // What it holds of these items (numbers without surrounding blanks). Throws Error naming
    // the source when it cannot be read.
    virtual SourcePrices pricesFor(const QStringList& itemNumbers) = 0;
    // Whether it may hold other prices than when it last answered (its file was written since),
    // so that it is asked again; true before it answered.
    virtual bool changedSinceRead() const = 0;
};

}  // namespace veskplan
