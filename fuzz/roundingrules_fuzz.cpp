// Feeds arbitrary bytes to the rounding rules reader, and a few quantities to the rules it reads.

#include "fuzztarget.h"

#include "takeoff/roundingrules.h"

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(roundingrules) {
    const InputFile input(bytes, u"rounding.txt"_s);
    const auto rules =
        readOrRefuse(input, [](const QString& path) { return RoundingRules::read(path); });
    if (!rules) {
        return 0;
    }
    for (const QString& unit : {u"CY"_s, u"TON"_s, u"LS"_s, u"SY"_s}) {
        for (const double quantity : {0.0, 0.04, 20.4, 123456.789}) {
            const double rounded = rules->apply(unit, quantity);
            require(std::isfinite(rounded) && rounded >= 0, "a bid quantity in range");
        }
    }
    return 1;
}
