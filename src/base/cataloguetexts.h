#pragma once

#include <QString>
#include <QStringList>

#include "base/texts.h"

// The words of the check against the master list and of the checks before an export: the
// report window, its CSV file, the command line and the tests share them.
namespace veskplan::texts {

using namespace Qt::Literals::StringLiterals;

// The catalogue report and the checks before an export, as the window shows them.
inline QString catalogueTitle() {
    return u"Check Against Master List"_s;
}
inline QString catalogueNothingFound() {
    return u"Every item of the project is in the master item list as it stands there."_s;
}
inline QString catalogueFilter() {
    return u"Catalogue Reports (*.csv)"_s;
}
inline QString mappingFilter() {
    return u"Item Mapping Files (*.csv)"_s;
}
inline QString chooseMappingTitle() {
    return u"Choose the Item Mapping File"_s;
}
inline QString replaceStep() {
    return u"Replace Items"_s;
}
inline QString replacementsRefused(const QStringList& reasons) {
    return u"Some items were not replaced:\n"_s + reasons.join(u'\n');
}
inline QString checksTitle() {
    return u"Before the Export"_s;
}
inline QString checksQuestion(int errors, int warnings, const QString& list) {
    return QString::number(errors) + u" error(s) and "_s + QString::number(warnings) +
           u" warning(s) were found; the receiving program may refuse the file:\n\n"_s + list;
}
inline QString exportAnywayButton() {
    return u"Export Anyway"_s;
}
inline QString goBackButton() {
    return u"Go Back"_s;
}

// Catalogue comparison and checks before export.
inline QString mappingUnreadable(const QString& file, const QString& reason) {
    return u"The item mapping file "_s + file + u" could not be read: "_s + reason;
}
inline QString mappingColumnsMissing(const QString& file, const QString& column,
                                     const QString& alsoMissing) {
    return u"The item mapping file "_s + file +
           u" cannot be used: its first row names no column \""_s + column +
           (alsoMissing.isEmpty() ? QString() : u"\" nor \""_s + alsoMissing) + u"\"."_s;
}
inline QString mappingLine(int line, const QString& problem) {
    return u"line "_s + QString::number(line) + u": "_s + problem;
}
inline QString mappingLeftOut(const QString& problem) {
    return problem + u"; the row is left out"_s;
}
inline QString mappingQuoteNotClosed() {
    return mappingLeftOut(csvQuoteNotClosed());
}
inline QString mappingPreviousBlank() {
    return u"the previous item ID is blank; the row is left out"_s;
}
inline QString mappingNewBlank(const QString& previous) {
    return u"the new item ID of "_s + previous + u" is blank; the row is left out"_s;
}
inline QString mappingToItself(const QString& number) {
    return number + u" is replaced by itself; the row is left out"_s;
}
inline QString mappingTwice(const QString& number, const QString& first, const QString& later) {
    return number + u" is already replaced by "_s + first + u"; its replacement by "_s + later +
           u" is left out"_s;
}
inline QString mappingCircle(const QString& numbers) {
    return u"the replacements "_s + numbers +
           u" go round in a circle; each is followed until the circle closes"_s;
}
inline QString mappingChainTooLong(const QString& number, int steps) {
    return u"the replacements from "_s + number + u" go on for more than "_s +
           QString::number(steps) + u" steps; they are followed no further"_s;
}
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
inline QString catalogueGuessTip() {
    return u"A guess from the closest description: Replace asks before taking it over, and "
           u"Replace All leaves it."_s;
}
inline QString catalogueGuessQuestion(const QString& number, const QString& guessNumber,
                                      const QString& guessDescription) {
    return u"The list proposes no successor for "_s + number + u". Replace it by "_s + guessNumber +
           u" "_s + guessDescription + u", the list item with the closest description?"_s;
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
