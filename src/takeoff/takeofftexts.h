#pragma once

#include <QString>

// The take-off layer's own words: why a take-off, layout or rounding file cannot be read, and
// the statuses of the review.
namespace veskplan::texts {

using namespace Qt::Literals::StringLiterals;

inline QString takeoffUnreadable(const QString& file, int line, const QString& reason) {
    return u"The take-off file "_s + file + u" could not be read"_s +
           (line > 0 ? u" at line "_s + QString::number(line) : QString()) + u": "_s + reason;
}
inline QString takeoffEmpty() {
    return u"it holds no rows"_s;
}
inline QString takeoffNoHeading() {
    return u"no heading row names the item number and the quantity"_s;
}
inline QString takeoffDuplicateHeading(const QString& heading) {
    return u"the heading \""_s + heading + u"\" appears twice"_s;
}
inline QString takeoffTwoColumns(const QString& field) {
    return u"two columns give the "_s + field;
}
inline QString takeoffNoColumnCalled(const QString& field, const QString& heading) {
    return u"the layout names \""_s + heading + u"\" for the "_s + field +
           u", which no column is called"_s;
}
inline QString takeoffHeadingForTwoFields(const QString& heading, const QString& first,
                                          const QString& second) {
    return u"the column \""_s + heading + u"\" is chosen for both the "_s + first + u" and the "_s +
           second;
}
inline QString takeoffNoColumnFor(const QString& field) {
    return u"no column is chosen for the "_s + field;
}
inline QString takeoffNoQuantity() {
    return u"the quantity is empty"_s;
}
inline QString takeoffNotANumber(const QString& text) {
    return u"the quantity \""_s + text + u"\" is not a number"_s;
}
inline QString takeoffUnclearSeparator(const QString& text) {
    return u"the quantity \""_s + text +
           u"\" may be a decimal or a thousands separator in a file separated by semicolons"_s;
}
inline QString takeoffNegative(const QString& text) {
    return u"the quantity \""_s + text + u"\" is below zero"_s;
}
inline QString takeoffOutOfRange(const QString& text) {
    return u"the quantity \""_s + text + u"\" is larger than any quantity can be"_s;
}
inline QString takeoffNoUnit() {
    return u"the quantity has no unit"_s;
}
inline QString takeoffTwoUnits(const QString& glued, const QString& column) {
    return u"the quantity is in "_s + glued + u" but the unit column says "_s + column;
}

// Layout and rounding files.
inline QString layoutUnreadable(const QString& file, int line, const QString& reason) {
    return u"The take-off layout "_s + file + u" could not be read"_s +
           (line > 0 ? u" at line "_s + QString::number(line) : QString()) + u": "_s + reason;
}
inline QString layoutNotARule() {
    return u"a line is not FIELD=HEADING, Prefix NUMBER=CATEGORY or Category TEXT=CATEGORY"_s;
}
inline QString layoutUnknownField(const QString& field) {
    return u"\""_s + field + u"\" is not a field of a take-off"_s;
}
inline QString layoutNotACategory(const QString& text) {
    return u"\""_s + text + u"\" is not a category number from 01 to 99"_s;
}
inline QString roundingUnreadable(const QString& file, int line, const QString& reason) {
    return u"The rounding rules "_s + file + u" could not be read"_s +
           (line > 0 ? u" at line "_s + QString::number(line) : QString()) + u": "_s + reason;
}
inline QString roundingNotARule() {
    return u"a line is not UNIT up|down|nearest|exactly NUMBER"_s;
}
inline QString roundingBadIncrement(const QString& text) {
    return u"\""_s + text + u"\" is not a number from a millionth to a billion"_s;
}
inline QString roundingTwice(const QString& unit) {
    return u"the unit "_s + unit + u" has a rule already"_s;
}

// The review.
inline QString reviewCsvHeading() {
    return u"Item Number,Description,Unit,Take-off Quantity,Take-off Unit,Project Quantity,"
           u"New Quantity,Status,Category"_s;
}
inline QString statusNew() {
    return u"new"_s;
}
inline QString statusChanged() {
    return u"changed"_s;
}
inline QString statusSame() {
    return u"same"_s;
}
inline QString statusNotInTakeoff() {
    return u"not in take-off"_s;
}
inline QString statusUnitDiffers() {
    return u"unit differs"_s;
}
inline QString statusNotInList() {
    return u"not in list"_s;
}
inline QString importQuantitiesStep() {
    return u"Import Quantities"_s;
}

}  // namespace veskplan::texts
