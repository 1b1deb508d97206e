#pragma once

#include <QDate>
#include <QString>

namespace veskplan {

// Which bids of a contract count: the low bid (flagged low or ranked first), the three lowest
// (ranked 1 to 3) or every bid.
enum class BidSelection { Low, ThreeLowest, All };

// The bids a price is computed from.
struct BidWindow {
    QDate from, to;  // letting dates, inclusive; an invalid date leaves that end open
    QString region;  // empty = every region; otherwise compared ignoring case
    BidSelection bids = BidSelection::Low;
    bool escalate = false;  // bring each price to the estimate date by the cost index
    QDate estimateDate;

    bool operator==(const BidWindow&) const = default;
};

}  // namespace veskplan
