#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "shell/projectrecord.h"

namespace veskplan::test {

// Blanks, for writing expected fixed-column lines by hand.
inline QByteArray sp(int count) {
    return QByteArray(count, ' ');
}

// A description as the master list cuts it: 40 characters.
inline QByteArray desc40(const char* text) {
    return QByteArray(text).leftJustified(40, ' ');
}

inline ProjectRecord item(const char* number, const char* cat, const char* description,
                          const char* units, std::optional<double> quantity) {
    return ProjectRecord{QString::fromLatin1(number), QString::fromLatin1(cat),
                         QString::fromLatin1(desc40(description)), QString::fromLatin1(units),
                         quantity};
}

// The layout line of the quantity files with `groups` quantity groups.
inline QByteArray layout(int groups) {
    QByteArray line = "DDD DDDDDDDDDDDDDD " + QByteArray(50, 'D') + " DDDDDD";
    for (int i = 0; i < groups; ++i) {
        line += " DDDDDDDDDD";
    }
    return line;
}

}  // namespace veskplan::test
