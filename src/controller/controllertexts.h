#pragma once

#include <QString>
#include <QStringList>

#include "base/texts.h"

// The words of the commands that ask the user: titles, questions, file filters and messages.
namespace veskplan::texts {

using namespace Qt::Literals::StringLiterals;

// Titles and the master list.
inline QString mainCaption() {
    return u"VESKPLAN"_s;
}
// The title of a message box without one of its own: the program's name as its window shows it.
inline QString appTitle() {
    return mainCaption();
}
inline QString unitChangeTitle() {
    return u"Change Master Item List"_s;
}
inline QString unitChangeQuestion() {
    return u"WARNING!\nYou must begin a new project in order to change the unit of measurement\n"
           u"Do you want to start a new project?"_s;
}
// Searching.
inline QString endOfMasterItems() {
    return u"End of Master Items Reached"_s;
}
inline QString beginningOfMasterItems() {
    return u"Beginning of Master Items Reached"_s;
}
// Project table and editing.
inline QString revisionCheck(const QString& projectDate, const QString& currentDate) {
    return u"The Date of the Master Item List used for this project ("_s + projectDate +
           u") was not the same as the current Master Item List ("_s + currentDate +
           u")\nItems not found in the current Master Item List have been marked with <<"_s;
}
inline QString revisionCheckFailed(const QString& reason) {
    return u"The item numbers could not be checked against the master item list: "_s + reason;
}
inline QString duplicateAfterRevision() {
    return u"two items of one category would get the same item number; they are left as stored."_s;
}
inline QString itemAlreadyInCategory() {
    return u"Warning!\nThis item has already been included in this Category in the Project Item "
           u"List"_s;
}
inline QString itemNotAdded(const QString& reason) {
    return u"Warning!\nThe item could not be added: "_s + reason;
}
inline QString lastCategoryReached() {
    return u"Warning!\nA project holds at most 99 categories; category 99 is the last one."_s;
}
inline QString quantityNotANumber(const QString& typed) {
    return u"Warning!\nThe quantity must be a number; \""_s + typed + u"\" is not one."_s;
}
inline QString cellNotSaved(const QString& reason) {
    return u"Warning!\nThe change could not be saved: "_s + reason;
}
inline QString workingCopyCannotTakeIt(const QString& reason) {
    return u"the working copy in the temporary folder could not take it ("_s + reason + u")"_s;
}
inline QString pasteOnlyIntoQuantities() {
    return u"Warning!\nOnly quantities can be pasted: choose a cell of the Quantity column first."_s;
}
inline QString pastePastLastRow(qsizetype values, int row, int rows) {
    return u"Warning!\nNothing was pasted: "_s + QString::number(values) +
           u" quantities from row "_s + QString::number(row) +
           u" would go past the last of the "_s + QString::number(rows) + u" rows."_s;
}
inline QString pastedQuantityNotANumber(const QString& value, int row, const QString& item) {
    return u"Warning!\nNothing was pasted: the quantity for row "_s + QString::number(row) +
           u" ("_s + item + u"), \""_s + value + u"\", is not a number."_s;
}
inline QString projectNumberTooLong(int length) {
    return u"The pasted project number is longer than the "_s + QString::number(length) +
           u" characters a project number can have. The project number is left as it was."_s;
}
inline QString undoPrefix() {
    return u"Undo"_s;
}
inline QString redoPrefix() {
    return u"Redo"_s;
}
// Project files.
inline QString attentionTitle() {
    return u"Attention"_s;
}
inline QString unsavedQuestion() {
    return u"The current file has not been saved\rDo you wish to save it?"_s;
}
inline QString projectFilter() {
    return u"Project Item Database Files (*.vsk)"_s;
}
inline QString anyProjectFilter() {
    return u"Project files (*.vsk *.mdb)"_s;
}
inline QString accessProjectFilter() {
    return u"Access Project Files (*.mdb)"_s;
}
inline QString openProjectTitle() {
    return u"Open Project"_s;
}
inline QString saveProjectTitle() {
    return u"Save Project As"_s;
}
inline QString replaceQuestion(const QString& file) {
    return file + u" already exists.\nDo you want to replace it?"_s;
}
inline QString missingRecentProject(const QString& file) {
    return u"The project "_s + file +
           u" is no longer there; it is taken off the list of recent projects."_s;
}
// Recovery after a crash.
inline QString recoverQuestion(const QString& file, const QString& when) {
    return u"Recover unsaved changes to "_s + file + u" (last changed "_s + when + u")?"_s;
}
// Printing.
inline QString donePrinting() {
    return u"Done Printing Quantity Table"_s;
}
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
inline QString catalogueGuessTip() {
    return u"A guess from the closest description: Replace asks before taking it over, and "
           u"Replace All leaves it."_s;
}
inline QString catalogueGuessQuestion(const QString& number, const QString& guessNumber,
                                      const QString& guessDescription) {
    return u"The list proposes no successor for "_s + number + u". Replace it by "_s + guessNumber +
           u" "_s + guessDescription + u", the list item with the closest description?"_s;
}

// The comparison with another project.
inline QString compareProjectTitle() {
    return u"Compare with Project"_s;
}
inline QString saveComparisonTitle() {
    return u"Save Comparison As"_s;
}
inline QString csvFilter() {
    return u"CSV Files (*.csv)"_s;
}
inline QString workbookFilter() {
    return u"Excel Workbook (*.xlsx)"_s;
}
inline QString pdfFilter() {
    return u"PDF Document (*.pdf)"_s;
}
inline QString comparedOld() {
    return u"Old"_s;
}
inline QString comparedNew() {
    return u"New"_s;
}
inline QString comparisonFormatUnknown(const QString& file) {
    return u"The comparison was not saved: "_s + file + u" ends in none of .csv, .xlsx and .pdf."_s;
}

// Quantities from take-off reports.
inline QString importQuantitiesTitle() {
    return u"Import Quantities"_s;
}
inline QString takeoffFilter() {
    return u"Take-off Reports (*.csv *.xlsx)"_s;
}
inline QString takeoffLayoutTitle() {
    return u"Take-off Layout"_s;
}
inline QString roundingRulesTitle() {
    return u"Rounding Rules"_s;
}
inline QString rulesFilter() {
    return u"Text Files (*.txt)"_s;
}
inline QString noQuantitiesAccepted() {
    return u"No rows are accepted: nothing was changed."_s;
}
inline QString quantitiesNotTaken(const QString& reason) {
    return u"The quantities could not be taken: "_s +
           (reason.isEmpty() ? u"the project refused them"_s : reason);
}
// How a changed quantity moves: "100 -> 150: +50 (+50%)", without the percent from nothing.
inline QString quantityChange(const QString& from, const QString& to, const QString& difference,
                              const QString& percent) {
    return from + u" \u2192 "_s + to + u": "_s + difference +
           (percent.isEmpty() ? QString() : u" ("_s + percent + u"%)"_s);
}
inline QString unroundedQuantity(const QString& quantity) {
    return u"Before rounding: "_s + quantity;
}
inline QString quantitiesTaken(int changed, int added) {
    return QString::number(changed) + (changed == 1 ? u" quantity"_s : u" quantities"_s) +
           u" changed and "_s + QString::number(added) + (added == 1 ? u" item"_s : u" items"_s) +
           u" added."_s;
}
inline QString takeoffColumnsTitle() {
    return u"Take-off Columns"_s;
}
// The last import the project remembers, and the files read now that are as they were then.
inline QString lastImportNote(const QString& date, const QStringList& files) {
    return u"Last import on "_s + date + u" from "_s + files.join(u", "_s) + u"."_s;
}
inline QString fileUnchanged(const QString& file, const QString& then) {
    return file == then ? u" "_s + file + u" has not changed since."_s
                        : u" "_s + file + u" is the same as "_s + then + u" was."_s;
}
// The columns of the breakdown of a row's quantity.
inline QStringList takeoffPartHeadings() {
    return {u"File"_s, u"Line"_s, u"Where"_s, u"Quantity"_s, u"Unit"_s, u"Converted"_s};
}
inline QString lastImportHeading() {
    return u"Last Import"_s;
}

}  // namespace veskplan::texts
