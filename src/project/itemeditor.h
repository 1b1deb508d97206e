#pragma once

#include <QString>

namespace veskplan {

struct Workspace;

// Removing items, sorting by a heading click, and typing into the project grid's cells.
class ItemEditor {
public:
    explicit ItemEditor(Workspace& workspace) : ws_(workspace) {}

    // Removes the current item; the row above it (or the new first row) becomes current.
    void remItem_Click();
    // "Item Number" orders by item number, "Cat" by category; every heading puts the column
    // widths back and returns to the first row.
    void projItemDB_HeadClick(int column);

    // Only "Quantity", and "Description" of the free-text item "2599-9999", take typing.
    bool isCellEditable(int row, int column) const;
    // Stores a typed cell text; false when it was refused (the cell keeps its value).
    bool editCell(int row, int column, const QString& text);

    static bool isFreeTextItem(const QString& itemNumber);

private:
    Workspace& ws_;
};

}  // namespace veskplan
