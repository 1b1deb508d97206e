#include "history/pricefilesource.h"

#include <set>

#include "history/pricefile.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

const PriceSourceKind& PriceFileSource::sourceKind() {
    static const PriceSourceKind kind{u"prices"_s,
                                      u"Prices"_s,
                                      u"Published Prices"_s,
                                      u"Price Files (*.csv *.xlsx)"_s,
                                      nullptr,
                                      &openAs<PriceFileSource>};
    return kind;
}

SourcePrices PriceFileSource::pricesFor(const QStringList& itemNumbers) {
    if (!rows_) {
        noteRead();
        rows_ = readPriceFile(path());
    }
    std::set<QString> wanted;
    for (const QString& number : itemNumbers) {
        wanted.insert(number.trimmed());
    }
    SourcePrices found;
    for (const PublishedPrice& row : *rows_) {
        if (wanted.contains(row.itemNumber.trimmed())) {
            found.published.push_back(row);
        }
    }
    return found;
}

}  // namespace veskplan
