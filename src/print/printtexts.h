#pragma once

#include <QString>

// Why a quantity table could not be printed.
namespace veskplan::texts {

using namespace Qt::Literals::StringLiterals;

inline QString printerNotStarted() {
    return u"The quantity table could not be drawn: the printer could not be started."_s;
}
inline QString noNewPage() {
    return u"The quantity table could not be drawn: no new page could be started."_s;
}
inline QString nothingPrinted() {
    return u"nothing was printed"_s;
}

}  // namespace veskplan::texts
