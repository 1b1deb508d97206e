#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "history/bidrecord.h"
#include "history/bidwindow.h"
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
    // The date the source is as of: a history's newest letting, a price file's own date; invalid
    // when it has none.
    QDate asOf;
    // Given by a source that left out the bids a window does not select: the items it holds
    // bids of, whatever the window.
    std::optional<std::set<QString>> itemsWithBids;
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
    // The same, where the source may leave out the bids `window` does not select (its dates,
    // region and bid choice), saying then which items it holds bids of: a source far away sends
    // only what the statistics use. What it gives is priced as pricesFor's answer would be.
    virtual SourcePrices pricesIn(const QStringList& itemNumbers, const BidWindow& window) {
        (void)window;
        return pricesFor(itemNumbers);
    }
    // Whether it may hold other prices than when it last answered (its file was written since),
    // so that it is asked again; true before it answered.
    virtual bool changedSinceRead() const = 0;
};

}  // namespace veskplan
