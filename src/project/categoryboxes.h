#pragma once

#include <QString>

namespace veskplan {

class ProjectDocument;

// The two category boxes: `catNum` lists the project's category numbers, `catDesc` their
// descriptions and takes typed text. They move together: selecting a position in one selects it
// in the other. Positions count from 0; -1 means none selected.
class CategoryBoxes {
public:
    explicit CategoryBoxes(ProjectDocument& document) : document_(document) {}

    int numberIndex() const { return numberIndex_; }
    int descriptionIndex() const { return descriptionIndex_; }
    // The text of `catNum`: the number at its selected position, empty when none is selected.
    QString currentNumber() const;
    // The text in the edit field of `catDesc`.
    const QString& descriptionText() const { return descriptionText_; }

    // A pick in either box (`catNum_Click`, `catDesc_Click`). Choosing a category only chooses
    // where added items go; it changes nothing in the project.
    void selectNumber(int index);
    void selectDescription(int index);
    // Typing in the description box (`catDesc_Change`); stored when the box is left.
    void typeDescription(const QString& text);
    // Stores the typed text as the description of the selected category (`catDesc_LostFocus`).
    void storeTypedDescription();
    // Adds the category after the last one and selects it; false when 99 is the last.
    bool addCategory();
    // After the categories were replaced: nothing selected, the edit field emptied.
    void reset();
    // After an undo or redo changed the categories: a selection beyond the list moves to the
    // last category, and the edit field shows the selected category's description.
    void followCategories();

private:
    ProjectDocument& document_;
    int numberIndex_ = -1;
    int descriptionIndex_ = -1;
    QString descriptionText_;
};

}  // namespace veskplan
