// Feeds arbitrary bytes to the reader of the agency's contingency by milestone.

#include "fuzztarget.h"

#include "estimate/contingencyscale.h"

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(contingencyscale) {
    const InputFile input(bytes, u"contingency.csv"_s);
    const auto scale =
        readOrRefuse(input, [](const QString& path) { return ContingencyScale::read(path); });
    if (!scale) {
        return 0;
    }
    qsizetype read = 0;
    for (const Milestone milestone : milestone::kAll) {
        if (const auto percent = scale->percentFor(milestone)) {
            require(*percent >= 0 && *percent <= 100, "a percentage from 0 to 100");
            ++read;
        }
    }
    return read;
}
