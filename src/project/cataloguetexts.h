#pragma once

#include <QString>

// The words of the check against the master list and of the checks before an export: the
// report window, its CSV file, the command line and the tests share them.
namespace veskplan::texts {

using namespace Qt::Literals::StringLiterals;

// The report of the check against the master list.
inline QString catalogueReplacedBy(const QString& number, const QString& by) {
    return number + u" was replaced by "_s + by;
}
inline QString catalogueWhichWasReplacedBy(const QString& by) {
    return u", which was replaced by "_s + by;
}
inline QString catalogueReplacementNotInList(const QString& number) {
    return number + u" is not in the master item list either."_s;
}
inline QString catalogueUnitDiffers(const QString& from, const QString& to) {
    return u"The unit changes from "_s + from + u" to "_s + to + u"; check the quantity."_s;
}
inline QString catalogueClosestDescription() {
    return u"The list item of the same unit with the closest description."_s;
}
inline QString catalogueNoReplacement() {
    return u"No replacement was found."_s;
}
inline QString catalogueCsvHeading() {
    return u"Kind,Category,Quantity,Project Item Number,Project Description,Project Unit,"
           u"List Item Number,List Description,List Unit,Replacement,Proposed By,Note"_s;
}
// Where a replacement comes from: the agency's mapping file, or a guess from the descriptions
// that the designer confirms item by item.
inline QString catalogueFromMapping() {
    return u"Mapping file"_s;
}
inline QString catalogueGuess() {
    return u"Guess"_s;
}
// A quantity carried over into another unit.
inline QString quantityToReview(const QString& from, const QString& to) {
    return u"The unit changed from "_s + from + u" to "_s + to +
           u": check the quantity and type it again."_s;
}
// The kinds of findings, in the order of cataloguecheck::Finding::Kind, as the report window
// shows them (the CSV file writes them in lower case).
inline QString catalogueKindName(int kind) {
    static const char16_t* const names[] = {u"Retired", u"Unit changed", u"Description changed",
                                            u"Free text"};
    return QString::fromUtf16(names[kind]);
}
inline QString catalogueItemChanged() {
    return u"The item has changed since the comparison; compare again."_s;
}
inline QString catalogueFreeTextKept() {
    return u"The free-text item has no counterpart in the master item list."_s;
}
inline QString catalogueNothingToTakeOver(const QString& number) {
    return u"There is no replacement for "_s + number + u"."_s;
}
inline QString catalogueAlreadyInCategory(const QString& number, const QString& category) {
    return number + u" is already in category "_s + category + u"."_s;
}
// The checks before an export.
inline QString exportItemMarked() {
    return u"The item is marked as missing from the master item list."_s;
}
inline QString exportItemNotInList() {
    return u"The item is not in the master item list."_s;
}
inline QString exportItemRepeated(const QString& category) {
    return u"The item is in category "_s + category + u" more than once."_s;
}
inline QString exportNegativeQuantity() {
    return u"The quantity is negative."_s;
}
inline QString exportNoQuantity() {
    return u"The item has no quantity."_s;
}
inline QString exportZeroQuantity() {
    return u"The quantity is zero."_s;
}
inline QString exportNoCounty() {
    return u"The county cannot be read from the project number; it takes a number such as "
           u"STP-12-B(7)03, whose last two digits name the county."_s;
}
inline QString exportNoLettingMonth() {
    return u"No letting month is chosen."_s;
}

}  // namespace veskplan::texts
