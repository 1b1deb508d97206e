// Feeds arbitrary bytes to the bid tabulation reader as an import does, as CSV or, when they
// start as a zip archive does, as a workbook. Every bid it hands on must be one the statistics
// can use.

#include "fuzztarget.h"

#include "history/bidfile.h"

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(bidfile) {
    const InputFile input(bytes, bytes.startsWith("PK") ? u"bids.xlsx"_s : u"bids.csv"_s);
    const auto count = readOrRefuse(input, [](const QString& path) {
        return BidFile::read(path, nullptr, KnownUnits::ofSpellingTable(),
                             [](const BidRecord& bid) {
                                 require(!bid.itemNumber.isEmpty() && !bid.unit.isEmpty() &&
                                             !bid.contract.isEmpty(),
                                         "a bid has an item, a unit and a contract");
                                 require(bid.quantity > 0 && bid.unitPrice >= 0,
                                         "quantity above zero, price not below");
                                 require(bid.lettingDate.isValid(), "a bid has its letting date");
                                 require(bid.bidderRank >= 0 && bid.bidderRank <= 1000,
                                         "the rank is in range");
                             })
            .bids;
    });
    return count.value_or(0);
}
