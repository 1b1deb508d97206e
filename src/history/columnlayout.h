#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

namespace veskplan {

// Which column of a price, bid or take-off file gives which field. Headings are recognised by
// name, in the layouts agencies publish and in plain words; a layout file names the headings of a
// layout that is not recognised, one FIELD=HEADING per line, FIELD being a plain heading:
//
//     Item Number=ITEM_NO
//     Unit Price=AWARD_PRICE
class ColumnLayout {
public:
    enum class Field {
        ItemNumber,
        Description,
        Unit,
        Quantity,
        UnitPrice,
        LettingDate,
        Contract,
        BidderRank,
        LowBidder,
        Region,
        AveragePrice,
        TotalCost,
        TotalQuantity,
        Bids,
        // The bidder (vendor) of a row: a row of the engineer's estimate is no bid.
        Bidder,
        // Given by some exports beside the fields read, and never read in their place: the
        // bid's extended amount (quantity times unit price) and the engineer's estimated unit
        // price (no bid price).
        ExtendedAmount,
        EstimateUnitPrice,
        // Take-off reports: where a quantity line stands in the drawings (its category or sheet,
        // its station range or its drawing object). No bid file is read for them.
        Category,
        Sheet,
        StationFrom,
        StationTo,
        Station,
        Object,
    };
    // Every field, in the order above.
    static const std::vector<Field>& allFields();

    // Throws Error naming the file, the line and the reason.
    static ColumnLayout read(const QString& path);

    void name(Field field, const QString& heading);
    std::optional<QString> headingOf(Field field) const;

    // The plain heading of a field ("Unit Price"), as layout files name it.
    static QString plainHeading(Field field);
    // The field in words for messages ("unit price").
    static QString fieldWords(Field field);

    // The column of each wanted field in a heading row: named by this layout when it names the
    // field, else recognised by name. Throws ColumnProblem for a heading that appears twice, two
    // columns that give one field, and a required field no column gives.
    struct ColumnProblem {
        QString reason;
    };
    std::map<Field, qsizetype> locate(const QStringList& headings, const std::vector<Field>& wanted,
                                      const std::vector<Field>& required) const;

    static constexpr qint64 kMaxBytes = 64 * 1024;

private:
    std::map<Field, QString> headings_;
};

}  // namespace veskplan
