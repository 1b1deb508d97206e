// Feeds arbitrary bytes to the published price file reader, as CSV or, when they start as a zip
// archive does, as a workbook.

#include "fuzztarget.h"

#include "history/pricefile.h"

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(pricefile) {
    const InputFile input(bytes, bytes.startsWith("PK") ? u"prices.xlsx"_s : u"prices.csv"_s);
    const auto prices =
        readOrRefuse(input, [](const QString& path) { return readPriceFile(path); });
    if (!prices) {
        return 0;
    }
    int previousLine = 0;
    for (const PublishedPrice& price : *prices) {
        require(!price.itemNumber.isEmpty() && !price.unit.isEmpty(), "an item and its unit");
        require(price.averagePrice >= 0, "the average is not below zero");
        require(!price.totalQuantity || *price.totalQuantity > 0, "a total quantity above zero");
        require(price.line > previousLine, "rows in file order");
        previousLine = price.line;
    }
    return qsizetype(prices->size());
}
