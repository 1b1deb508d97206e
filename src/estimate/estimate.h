#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "history/itemstatistics.h"
#include "history/publishedprice.h"
#include "project/itemprice.h"
#include "project/projectrecord.h"

namespace veskplan {

// Why a line of the estimate deserves a second look. A line may carry several.
enum class EstimateFlag : unsigned {
    NoPrice = 1u << 0,
    UnitDiffers = 1u << 1,
    FewContracts = 1u << 2,          // fewer than 3 contracts behind a bid-history price
    HighVariation = 1u << 3,         // coefficient of variation above 50%
    QuantityOutsideRange = 1u << 4,  // more than 10 times outside the history's quantities
    LumpSum = 1u << 5,
    MajorItem = 1u << 6,          // among the fewest items that carry 80% of the total
    NoQuantity = 1u << 7,         // priced, but without a quantity its amount is 0
    IndexEnds = 1u << 8,          // escalated to a quarter past the cost index's last one
    FreeTextNoHistory = 1u << 9,  // a free-text item whose description no source knows
};

// An item's fixed-width field (number, description, unit) as the estimate files write it,
// without the blanks that pad it.
QString fieldText(const QString& padded);

// The flags' names as the estimate files write them, in the order of the enumeration, joined by
// ';'. `indexEnd` is the cost index's last quarter, named by the IndexEnds flag.
QString flagNames(unsigned flags, const QString& indexEnd = QString());

// One item of the estimate: its quantity, the price used (if any) and the evidence behind it.
struct EstimateLine {
    ProjectRecord item;
    QString categoryDescription;
    std::optional<double> unitPrice;  // the price chosen, in `priceUnit`
    std::optional<PriceKind> kind;
    QString priceUnit;
    QString note;
    // The name of the price source a computed price came from; empty for the project's own.
    QString source;
    // For a price from escalated bids: the quarter of the earliest bid and the quarter they were
    // brought to ("2025Q2", "2026Q3"); empty otherwise.
    QString escalatedFrom, escalatedTo;
    // Unit price and amount in cents; no amount without a usable price (none, or one in another
    // unit than the item's).
    std::optional<qint64> unitPriceCents;
    std::optional<qint64> amountCents;
    unsigned flags = 0;
    // The evidence: the bid statistics of the item's unit in the window, and the published
    // average that matched.
    std::optional<ItemStatistics> statistics;
    std::optional<PublishedPrice> published;

    bool has(EstimateFlag flag) const { return (flags & unsigned(flag)) != 0; }
};

// How a line's price was made, as every view of the estimate shows it: "Weighted average", or
// "Weighted average, escalated 2025Q2→2026Q3"; empty without a price.
QString kindText(const EstimateLine& line);

// The cost index the bids were escalated by: the file's name, the quarter of the estimate date
// and the index's last quarter.
struct EscalationBasis {
    QString indexName;
    QString toQuarter;
    QString lastQuarter;
};

// A price source the estimate was priced from, as the user knows it (a file's name, a server's
// "HOST/DB"), and the date it is as of (a history's newest letting); invalid when it has none.
struct PricedFrom {
    QString source;
    QDate asOf;
};

struct CategorySubtotal {
    QString cat;
    QString description;
    qint64 cents = 0;
};

// An engineer's estimate: the lines in category then item order, the subtotals of the
// categories, mobilization on the items, contingency on items and mobilization, and the total.
struct Estimate {
    std::vector<EstimateLine> lines;
    std::vector<CategorySubtotal> subtotals;
    qint64 itemsCents = 0;
    std::optional<double> mobilizationPercent;
    qint64 mobilizationCents = 0;
    std::optional<double> contingencyPercent;
    qint64 contingencyCents = 0;
    qint64 totalCents = 0;
    // Set when the bids were escalated by a cost index.
    std::optional<EscalationBasis> escalation;
    // Every source asked, in the user's order, whether or not it priced a line.
    std::vector<PricedFrom> pricedFrom;
    // The bid history holds bids of the project's items, but the window selects none of them:
    // every price it would give is missing, which is a failure, not an estimate.
    bool windowSelectsNothing = false;
    // Positions in `lines`: the major items by amount, largest first, then the rest in order.
    std::vector<int> majorFirst;
};

// What the estimate's printed forms say of it above the items.
struct EstimateTitle {
    QString projectNumber;
    QString designer;
    QString projectName;  // the project file's name
    QDate estimateDate;
    QString basis;  // the bids and statistic the computed prices come from
};

// Marks every page of the estimate's workbook and PDF.
inline QString confidentialityMark() {
    return QStringLiteral("Confidential \u2014 engineer's estimate");
}

// Cents written as dollars with two decimals ("1234.50", "-0.05").
QString centsText(qint64 cents);

}  // namespace veskplan
