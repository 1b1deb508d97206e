// Feeds arbitrary bytes to the cost index reader. Every quarter it reads must give a factor
// above zero against itself and the quarters after the file's end.

#include "fuzztarget.h"

#include "history/costindex.h"

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(costindex) {
    const InputFile input(bytes, u"index.csv"_s);
    const auto index =
        readOrRefuse(input, [](const QString& path) { return CostIndex::read(path); });
    if (!index) {
        return 0;
    }
    require(!index->isEmpty(), "a file read holds quarters");
    const QDate later(9999, 12, 31);
    require(index->valueAt(later).has_value(), "the last quarter stands in for later ones");
    for (int year = 1000; year <= 9999; year += 37) {
        if (const auto factor = index->factor(QDate(year, 1, 1), later)) {
            require(*factor > 0 && std::isfinite(*factor), "a factor is a positive number");
        }
    }
    return index->quarters();
}
