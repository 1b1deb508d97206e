#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <memory>
#include <optional>

#include "project/categorylist.h"
#include "project/headerfields.h"
#include "project/recordstore.h"

namespace veskplan {

namespace specialrows {
struct ProjectContents;
}

// The project being edited: its items (the record store over the working database), its header
// fields and categories, where it is saved, and whether it has unsaved changes. It tells the
// caller what happened and never talks to the user.
class ProjectDocument : public QObject {
    Q_OBJECT

public:
    explicit ProjectDocument(std::unique_ptr<RecordStore> items, QObject* parent = nullptr);
    ~ProjectDocument() override;

    RecordStore& items() { return *items_; }
    const RecordStore& items() const { return *items_; }
    const HeaderFields& header() const { return header_; }
    const CategoryList& categories() const { return categories_; }

    // The project file (`projFile`): empty for a new project. An untitled project
    // (`projUntitled`) asks for a file name at its next save.
    const QString& fileName() const { return fileName_; }
    bool isUntitled() const { return untitled_; }
    void setFile(const QString& fileName, bool untitled);
    // The master list date the opened project was last saved with (`projMastDate`).
    const QString& storedMasterDate() const { return storedMasterDate_; }

    // Unsaved changes: the opposite of `projSaved`.
    bool isModified() const { return modified_; }
    void setModified(bool modified);
    QUndoStack& undoStack() { return undoStack_; }

    // Save, Save As and the exports: enabled while the project holds items, and for a project as
    // bound from its saved file, whose header rows it was saved with, until its items change.
    bool guardedCommandsEnabled() const;

    // Header fields. Each change marks the project modified; setting the value it holds is no
    // change. The project number keeps at most the 25 characters a project file holds.
    void setProjectNumber(const QString& text);
    void setDesigner(const QString& text);
    void setLettingMonth(int index);

    // Categories.
    // Adds the category after the last one; false when 99 is already the last.
    bool appendCategory();
    void setCategoryDescription(int position, const QString& description);

    // Items.
    struct AddResult {
        enum class Kind { Added, AlreadyInCategory, AlreadyInProject, Failed };
        Kind kind = Kind::Added;
        QString reason;  // for Failed
    };
    // Appends an item. An item (other than a free-text "2599" one) that its category already
    // holds is refused and that item becomes current; otherwise the new item becomes current.
    AddResult addItem(const ProjectRecord& record);
    // Removes the current item; the row above it (or the new first row) becomes current.
    void removeCurrentItem();
    // Typing into the grid: only "Quantity", and "Description" of the free-text item
    // "2599-9999", take it.
    bool isCellEditable(int row, int column) const;
    struct EditResult {
        enum class Kind { Stored, Refused, NotANumber, AlreadyInProject, Failed };
        Kind kind = Kind::Stored;
        QString reason;  // for Failed
    };
    // Stores a typed cell text: a quantity (a number in the C form or with the locale's
    // `decimalPoint`, or empty for none) or a free-text description. Storing the value the
    // cell holds is no change.
    EditResult editCell(int row, int column, const QString& text, QChar decimalPoint);

    // Puts what a project file holds in place of the project, without marking it modified:
    // the items (when given), the header fields and the categories.
    void bind(const specialrows::ProjectContents& contents, bool replaceItems);
    // New Project: no items, no header fields; the categories stay.
    void clearForNewProject();
    // Replaces the categories and the stored master list date while binding.
    void setCategories(const CategoryList& categories);
    void setStoredMasterDate(const QString& date) { storedMasterDate_ = date; }

Q_SIGNALS:
    void modifiedChanged(bool modified);
    void headerChanged();
    void categoriesChanged();
    void fileChanged();

private:
    void markModified() { setModified(true); }
    void itemsChanged() { boundFromSavedFile_ = false; }

    std::unique_ptr<RecordStore> items_;
    HeaderFields header_;
    CategoryList categories_;
    QString fileName_;
    bool untitled_ = true;
    QString storedMasterDate_;
    bool modified_ = false;
    bool boundFromSavedFile_ = false;
    QUndoStack undoStack_;
};

// Whether an item number names the free-text item "2599-9999", whose description may be typed
// (its first 15 characters, trailing blanks removed).
bool isFreeTextItem(const QString& itemNumber);

}  // namespace veskplan
