#include "history/pricesourcekind.h"

#include <QDir>

#include "base/error.h"
#include "history/bidhistorysource.h"
#include "history/pricefilesource.h"
#if VESKPLAN_SERVER_HISTORY
#include "history/serverhistorysource.h"
#endif

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

const std::vector<const PriceSourceKind*>& priceSourceKinds() {
    static const std::vector<const PriceSourceKind*> kinds {
#if VESKPLAN_SERVER_HISTORY
        &ServerHistorySource::sourceKind(),  // before the file history, which takes any location
#endif
            &BidHistorySource::sourceKind(), &PriceFileSource::sourceKind(),
    };
    return kinds;
}

const PriceSourceKind* priceSourceKind(const QString& word, const QString& location) {
    for (const PriceSourceKind* kind : priceSourceKinds()) {
        if (kind->word == word && (!kind->takes || kind->takes(location))) {
            return kind;
        }
    }
    return nullptr;
}

std::unique_ptr<PriceSource> openPriceSource(const QString& word, const QString& location,
                                             SessionPasswords* passwords) {
    const PriceSourceKind* kind = priceSourceKind(word, location);
    if (!kind) {
        throw Error(u"No kind of price source reads "_s + QDir::toNativeSeparators(location) +
                    u" (\""_s + word + u"\")."_s);
    }
    return kind->open(location, passwords);
}

}  // namespace veskplan
