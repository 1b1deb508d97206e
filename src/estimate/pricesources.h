#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

#include "history/bidrecord.h"
#include "history/costindex.h"
#include "history/publishedprice.h"

namespace veskplan {

// What an estimate can price items from: the bids of the project's items from a bid history,
// published average prices and a cost index. Any of them may be missing.
struct PriceSources {
    std::map<QString, std::vector<BidRecord>> bids;  // by item number, trailing blanks removed
    std::vector<PublishedPrice> published;
    CostIndex index;    // empty: bids are not escalated
    QString indexName;  // the index file's name, as the estimate names what escalated it

    // Reads the bids of `itemNumbers` from the history database at `historyPath` (none when
    // empty), every price file and the index file (none when empty). Throws Error naming the
    // file that cannot be read.
    static PriceSources load(const QString& historyPath, const QStringList& priceFiles,
                             const QString& indexPath, const QStringList& itemNumbers);
};

}  // namespace veskplan
