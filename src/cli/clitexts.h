#pragma once

#include <QString>

// The command line's own words.
namespace veskplan::texts {

using namespace Qt::Literals::StringLiterals;

inline QString standardOutputNotWritten(const QString& reason) {
    return u"standard output could not be written: "_s + reason;
}
inline QString outOfMemory() {
    return u"there is not enough memory for this project"_s;
}

}  // namespace veskplan::texts
