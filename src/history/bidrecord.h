#pragma once

#include <QDate>
#include <QString>

namespace veskplan {

// One bidder's unit price for one item of one contract, as the bid history keeps it.
struct BidRecord {
    qint64 id = 0;  // row id in the history database; traces every figure to its bid
    QString itemNumber, description, unit;
    double quantity = 0;   // > 0
    double unitPrice = 0;  // dollars, >= 0
    QDate lettingDate;
    QString contract;    // contract or proposal id
    int bidderRank = 0;  // 1 = lowest bid, 0 = unknown
    bool lowBidder = false;
    QString region;  // district or region, may be empty

    bool operator==(const BidRecord&) const = default;
};

}  // namespace veskplan
