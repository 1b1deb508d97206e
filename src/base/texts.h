#pragma once

#include <QString>
#include <QStringList>

// The program's own words: message texts, titles, dialog filters and file-format constants. Each
// lives here once so the windows, the command line and the tests agree on them.
namespace veskplan::texts {

using namespace Qt::Literals::StringLiterals;

// Reading files.
inline QString lineTooLong(int line) {
    return u"line "_s + QString::number(line) + u" is far longer than a line of this file can be"_s;
}
inline QString fileTooLarge(qint64 maxBytes) {
    return u"the file is larger than such a file can be ("_s +
           QString::number(maxBytes / (1024 * 1024)) + u" MB)"_s;
}

inline QString tooManyLines(qsizetype maxLines) {
    return u"it holds more than "_s + QString::number(maxLines) +
           u" lines, more than such a file can"_s;
}
inline QString csvUnreadable(const QString& file, int line, const QString& reason) {
    return u"The file "_s + file + u" could not be read"_s +
           (line > 0 ? u" at line "_s + QString::number(line) : QString()) + u": "_s + reason;
}
inline QString csvQuoteNotClosed() {
    return u"a quote is not closed before the end of the file"_s;
}
// The separator of a CSV file in words: "a comma", "a semicolon", "a tab".
inline QString csvSeparatorWords(QChar separator) {
    return separator == u';' ? u"a semicolon"_s : separator == u'\t' ? u"a tab"_s : u"a comma"_s;
}
inline QString csvTextAfterQuote(QChar separator) {
    return u"a closing quote is followed by other text than "_s + csvSeparatorWords(separator) +
           u" or a line end"_s;
}
inline QString csvTooManyFields(qsizetype maxFields) {
    return u"a row holds more than "_s + QString::number(maxFields) + u" fields"_s;
}
inline QString notATextFile() {
    return u"not a text file"_s;
}

// Titles.
inline QString mainCaption() {
    return u"VESKPLAN"_s;
}
// The title of a message box without one of its own: the program's name as its window shows it.
inline QString appTitle() {
    return mainCaption();
}
inline QString categoryCaption() {
    return u"Item Categories"_s;
}

// Master list.
inline QString revisedPrefix() {
    return u"Revised "_s;
}
inline QString unitChangeTitle() {
    return u"Change Master Item List"_s;
}
inline QString unitChangeQuestion() {
    return u"WARNING!\nYou must begin a new project in order to change the unit of measurement\n"
           u"Do you want to start a new project?"_s;
}
inline QString masterListUnreadable(const QString& file, const QString& reason) {
    return u"The master item list "_s + file + u" could not be read: "_s + reason +
           u"\nThe list is left empty."_s;
}

// Searching.
inline QString endOfMasterItems() {
    return u"End of Master Items Reached"_s;
}
inline QString beginningOfMasterItems() {
    return u"Beginning of Master Items Reached"_s;
}
inline QString categoryFileUnreadable(const QString& file, const QString& reason) {
    return u"The item category file "_s + file + u" could not be read: "_s + reason;
}

// Project table.
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
inline QString itemAlreadyInProject() {
    return u"Warning!\nThis item has already been included in the project item list"_s;
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
inline QString workingCopyNotWritten(const QString& reason) {
    return u"The working copy of the project could not be written: "_s + reason +
           u"\nSave the project to keep your changes."_s;
}
inline QString changeNotUndone(const QString& reason) {
    return u"The step could not be undone or redone: "_s + reason +
           u"\nThe list of steps to undo has been cleared."_s;
}
inline QString workingCopyCannotTakeIt(const QString& reason) {
    return u"the working copy in the temporary folder could not take it ("_s + reason + u")"_s;
}
inline QString itemGone() {
    return u"the item is no longer in the project"_s;
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
inline QString projectCounts(int items, int categories) {
    return QString::number(items) + (items == 1 ? u" item in "_s : u" items in "_s) +
           QString::number(categories) + (categories == 1 ? u" category"_s : u" categories"_s);
}

// Undo steps: the Edit menu shows "Undo " or "Redo " before them.
inline QString addItemStep() {
    return u"Add Item"_s;
}
inline QString removeItemStep() {
    return u"Remove Item"_s;
}
inline QString editQuantityStep() {
    return u"Quantity"_s;
}
inline QString pasteQuantitiesStep() {
    return u"Paste Quantities"_s;
}
inline QString editDescriptionStep() {
    return u"Description"_s;
}
inline QString addCategoryStep() {
    return u"Add Category"_s;
}
inline QString describeCategoryStep() {
    return u"Category Description"_s;
}
inline QString projectNumberTooLong(int length) {
    return u"The pasted project number is longer than the "_s + QString::number(length) +
           u" characters a project number can have. The project number is left as it was."_s;
}
inline QString changeProjectNumberStep() {
    return u"Project Number"_s;
}
inline QString changeDesignerStep() {
    return u"Designer"_s;
}
inline QString changeLettingMonthStep() {
    return u"Letting Month"_s;
}
inline QString unitPriceStep() {
    return u"Unit Price"_s;
}
inline QString mobilizationStep() {
    return u"Mobilization"_s;
}
inline QString contingencyStep() {
    return u"Contingency"_s;
}
inline QString estimateSettingsStep() {
    return u"Estimate Settings"_s;
}
inline QString undoPrefix() {
    return u"Undo"_s;
}
inline QString redoPrefix() {
    return u"Redo"_s;
}

inline QString noDescription() {
    return u"No Description"_s;
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
inline QString allFilesFilter() {
    return u"All Files (*.*)"_s;
}
inline QString openProjectTitle() {
    return u"Open Project"_s;
}
inline QString saveProjectTitle() {
    return u"Save Project As"_s;
}
inline QString projectNotSaved(const QString& file, const QString& reason) {
    return u"The project could not be saved to "_s + file + u":\n"_s + reason +
           u"\nThe project is still open and not saved."_s;
}
inline QString projectNotOpened(const QString& file, const QString& reason) {
    return u"The file "_s + file + u" could not be opened as a project:\n"_s + reason;
}
inline QString categoryOutOfRange(const QString& itemNumber, const QString& category) {
    return u"the item "_s + itemNumber + u" is filed under category \""_s + category +
           u"\"; a project holds the categories 01 to 99"_s;
}
inline QString tooManyCategoryRows() {
    return u"it describes more than 99 categories; a project holds the categories 01 to 99"_s;
}
inline QString duplicateRowsInFile() {
    return u"it holds the same item twice with the same category and description"_s;
}
inline QString configTooShort(const QString& file) {
    return u"The configuration file "_s + file +
           u" has fewer than six lines; default directories are used for the missing values."_s;
}
inline QString configUnreadable(const QString& file, const QString& reason) {
    return u"The configuration file "_s + file + u" could not be read ("_s + reason +
           u"); default directories are used."_s;
}
inline QString configNotWritten(const QString& file, const QString& reason) {
    return u"The configuration file "_s + file + u" could not be written: "_s + reason;
}
inline QString workingDatabaseFailed(const QString& file, const QString& reason) {
    return u"The working database "_s + file + u" could not be created: "_s + reason;
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
inline QString importedName(const QString& fileName) {
    return fileName + u" (imported)"_s;
}
inline QString untitled() {
    return u"Untitled"_s;
}
inline QString recoverButton() {
    return u"Recover"_s;
}
inline QString discardButton() {
    return u"Discard"_s;
}
inline QString laterButton() {
    return u"Later"_s;
}
inline QString recoveryFailed(const QString& file, const QString& reason) {
    return u"The unsaved changes in "_s + file + u" could not be read: "_s + reason;
}

// Exports and printing.
inline QString trnsportTitle() {
    return u"Export Project Item List to a Trns*Port file"_s;
}
inline QString trnsportSaved() {
    return u"Trns*Port file saved as "_s;
}
inline QString roadCadTitle() {
    return u"Export Project Item List to a Road CAD Quantity file"_s;
}
inline QString bridgeCadTitle() {
    return u"Export Project Item List to a Bridge CAD Quantity file"_s;
}
inline QString roadCadFilter() {
    return u"Road CAD Quantity Files (*.txt)"_s;
}
inline QString bridgeCadFilter() {
    return u"Bridge CAD Quantity Files (*.txt)"_s;
}
inline QString roadCadSaved() {
    return u"Road CAD Quantity file saved as "_s;
}
inline QString bridgeCadSaved() {
    return u"Bridge CAD Quantity file saved as "_s;
}
inline QString tabfillTitle() {
    return u"Export Project Item List to an Excel Tabfill file"_s;
}
inline QString tabfillFilter() {
    return u"Excel Tabfill Files (*.xlsx)"_s;
}
inline QString tabfillSaved() {
    return u"Road CAD (Excel) Quantity file saved as "_s;
}
inline QString tabfillTooManyCategories() {
    return u"Your project has more categories than the largest tab will hold.  The program "
           u"cannot create an Excel Tab file."_s;
}
inline QString workbookNotMade(const QString& reason) {
    return u"The Road CAD (Excel) Quantity file could not be made:\n"_s + reason;
}
inline QString fileNotWritten(const QString& file, const QString& reason) {
    return u"The file "_s + file + u" could not be written: "_s + reason;
}
inline QString standardOutputNotWritten(const QString& reason) {
    return u"standard output could not be written: "_s + reason;
}
inline QString outOfMemory() {
    return u"there is not enough memory for this project"_s;
}
inline QString noSuchFolder() {
    return u"its folder does not exist"_s;
}
inline QString diskFull() {
    return u"the disk is full"_s;
}
inline QString noSuchFile() {
    return u"the file does not exist"_s;
}
inline QString notAFile() {
    return u"it is not a file"_s;
}
inline QString noItemTable() {
    return u"it holds no project item table (veskdata)"_s;
}
inline QString accessReaderMissing() {
    return u"this build of Veskplan cannot read Access (.mdb) project files; open it with a "
           u"build that can, and save it as a .vsk project"_s;
}
inline QString itemTableLacks(const QString& column) {
    return u"its project item table lacks the column \""_s + column + u"\""_s;
}
inline QString storedQuantityNotANumber(const QString& itemNumber) {
    return u"the quantity of item "_s + itemNumber + u" is not a number"_s;
}
inline QString donePrinting() {
    return u"Done Printing Quantity Table"_s;
}
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
