#include "project/headerfields.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

const QStringList& HeaderFields::monthNames() {
    static const QStringList names = {u"January"_s,   u"February"_s, u"March"_s,    u"April"_s,
                                      u"May"_s,       u"June"_s,     u"July"_s,     u"August"_s,
                                      u"September"_s, u"October"_s,  u"November"_s, u"December"_s};
    return names;
}

QString HeaderFields::letMonthText() const {
    return letMonth >= 0 && letMonth < 12 ? monthNames()[letMonth] : QString();
}

}  // namespace veskplan
