#pragma once

#include <vector>

#include "history/filepricesource.h"
#include "history/pricesourcekind.h"

namespace veskplan {

// The published averages of a price file (CSV or .xlsx). The file is read once, at the first
// question: items added later are answered from the rows read then.
class PriceFileSource : public FilePriceSource {
public:
    using FilePriceSource::FilePriceSource;

    static const PriceSourceKind& sourceKind();
    const PriceSourceKind& kind() const override { return sourceKind(); }
    SourcePrices pricesFor(const QStringList& itemNumbers) override;

private:
    std::optional<std::vector<PublishedPrice>> rows_;
};

}  // namespace veskplan
