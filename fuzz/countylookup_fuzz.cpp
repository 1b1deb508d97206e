// Feeds arbitrary bytes to the county lookup as its county file, and asks it for the counties a
// project number can carry in its last two characters, as the export and the printout do.

#include "fuzztarget.h"

#include "project/countylookup.h"

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(countylookup) {
    const InputFile input(bytes, u"counties.txt"_s);
    CountyLookup lookup(input.path());
    lookup.keep(u"kept"_s);
    require(lookup.lookUp(u"STP-12-B(7)00"_s) == u"kept"_s, "county 0 gives the name kept");
    qsizetype found = 0;
    for (const QString& number : {u"01"_s, u"02"_s, u"-3"_s, u"9)"_s, u"42"_s, u"99"_s}) {
        const QString name = lookup.lookUp(u"STP-12-B(7)"_s + number);
        require(name.size() <= 4096 && !name.contains(u'\r') && !name.contains(u'\n'),
                "a county name is one short line");
        found += name.isEmpty() ? 0 : 1;
    }
    return found;
}
