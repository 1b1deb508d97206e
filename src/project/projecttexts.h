#pragma once

#include <QString>

// The words of the project document: its undo steps and why a project file is refused.
namespace veskplan::texts {

using namespace Qt::Literals::StringLiterals;

// Project table.
inline QString itemAlreadyInProject() {
    return u"Warning!\nThis item has already been included in the project item list"_s;
}
inline QString changeNotUndone(const QString& reason) {
    return u"The step could not be undone or redone: "_s + reason +
           u"\nThe list of steps to undo has been cleared."_s;
}
inline QString itemGone() {
    return u"the item is no longer in the project"_s;
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
inline QString milestoneStep() {
    return u"Milestone"_s;
}
inline QString estimateSettingsStep() {
    return u"Estimate Settings"_s;
}
inline QString noDescription() {
    return u"No Description"_s;
}
// Project files.
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
inline QString importedName(const QString& fileName) {
    return fileName + u" (imported)"_s;
}
inline QString untitled() {
    return u"Untitled"_s;
}
inline QString notAFile() {
    return u"it is not a file"_s;
}
inline QString noItemTable() {
    return u"it holds no project item table (veskdata)"_s;
}
inline QString itemTableLacks(const QString& column) {
    return u"its project item table lacks the column \""_s + column + u"\""_s;
}
inline QString storedQuantityNotANumber(const QString& itemNumber) {
    return u"the quantity of item "_s + itemNumber + u" is not a number"_s;
}

// The comparison of two projects.
inline QString comparisonCsvHeading() {
    return u"Item Number,Description,Unit,Old Category,New Category,Old Quantity,New Quantity,"
           u"Old Amount,New Amount,Change,Status"_s;
}
inline QString comparisonStatus(int status) {
    const char16_t* const words[] = {u"added", u"removed", u"changed", u"same"};
    return QString::fromUtf16(words[status]);
}
inline QString comparisonTotal() {
    return u"Total"_s;
}

}  // namespace veskplan::texts
