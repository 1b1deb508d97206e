#pragma once

#include <QString>
#include <QStringView>

// The rows a saved project file carries besides its items: two header rows and one row per
// category, all in category "00", with item numbers beginning "0000".
namespace veskplan::specialrows {

using namespace Qt::Literals::StringLiterals;

inline QString cat() {
    return u"00"_s;
}
inline QString prefix() {
    return u"0000"_s;
}
inline QString firstHeader() {
    return u"0000-1000000"_s;
}
inline QString secondHeader() {
    return u"0000-2000000"_s;
}
// "0000-00000" followed by the category's position, counted from 1, in two digits.
inline QString categoryRow(int position) {
    return u"0000-00000"_s + QStringLiteral("%1").arg(position, 2, 10, QLatin1Char('0'));
}

inline bool isSpecial(QStringView itemNumber) {
    return itemNumber.startsWith(u"0000");
}

}  // namespace veskplan::specialrows
