#pragma once

#include "history/filepricesource.h"
#include "history/pricesourcekind.h"

namespace veskplan {

// The bids of a bid history database file, read-only: the file may be shared on a network
// folder, or imported into meanwhile.
class BidHistorySource : public FilePriceSource {
public:
    using FilePriceSource::FilePriceSource;

    static const PriceSourceKind& sourceKind();
    const PriceSourceKind& kind() const override { return sourceKind(); }
    SourcePrices pricesFor(const QStringList& itemNumbers) override;
    // Only the bids the window selects are read from the file.
    SourcePrices pricesIn(const QStringList& itemNumbers, const BidWindow& window) override;
};

}  // namespace veskplan
