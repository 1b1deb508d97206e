#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "project/categorylist.h"
#include "project/headerfields.h"
#include "project/projectprices.h"
#include "project/quantityreviews.h"
#include "project/recordstore.h"
#include "project/takeoffimportrecord.h"

namespace veskplan {

class ItemsCommand;
namespace specialrows {
struct ProjectContents;
}

// The project being edited: its items (the record store over the working copy), its header
// fields and categories, where it is saved, and whether it has unsaved changes. Every change a
// user makes goes through the undo stack; the working copy holds the whole project after each
// one, so a crash loses nothing. It tells the caller what happened and never talks to the user.
class ProjectDocument : public QObject {
    Q_OBJECT

public:
    explicit ProjectDocument(std::unique_ptr<RecordStore> items, QObject* parent = nullptr);
    ~ProjectDocument() override;

    RecordStore& items() { return *items_; }
    const RecordStore& items() const { return *items_; }
    const HeaderFields& header() const { return header_; }
    const CategoryList& categories() const { return categories_; }

    // The project file: empty for a new project. An untitled project
    // asks for a file name at its next save.
    const QString& fileName() const { return fileName_; }
    bool isUntitled() const { return untitled_; }
    void setFile(const QString& fileName, bool untitled);
    // The older project file (an Access database) the project was opened from, which is never
    // written: the project is untitled until saved as a project file of our own.
    const QString& importedFrom() const { return importedFrom_; }
    // The name the project is shown by: its file's name, the older file it was imported from,
    // or "Untitled".
    QString displayName() const;
    void setImportedFrom(const QString& path);
    // The master list date the opened project was last saved with.
    const QString& storedMasterDate() const { return storedMasterDate_; }

    // What an edit did, or why it did nothing: every edit that can be refused or fail says so
    // with one of these. An edit that leaves the project as it was is Stored.
    struct EditResult {
        enum class Kind {
            Stored,
            Refused,            // not an edit the project takes: no such row, a value out of range
            AlreadyInCategory,  // the item's category holds it already, at `row`
            AlreadyInProject,   // an item of the same category, number and description is there
            Failed,             // the working copy could not take it; `reason` says why
        };
        EditResult(Kind kind = Kind::Stored, QString reason = {}, int row = -1)
            : kind(kind), reason(std::move(reason)), row(row) {}
        bool stored() const { return kind == Kind::Stored; }

        Kind kind;
        QString reason;  // for Failed
        int row;         // an added item, or the one its category holds already
    };

    // Unsaved changes: changes since the undo stack was last
    // clean, or a failed save.
    bool isModified() const;
    // Saved (false): the present state becomes the clean state. Modified (true): marks it
    // unsaved whatever the undo stack says.
    void setModified(bool modified);
    // A save went through to `fileName`, with the master list of `masterDate` and the categories
    // as the file holds them (`saved`: an empty description is written as a text of its own).
    // The project is titled and holds what the file holds, as no step; its present state becomes
    // the clean state of the undo stack, whose history stays, and an undone step brings back no
    // description the save filled in. Save and the exports stay enabled as for a project bound
    // from its saved file.
    void markSaved(const QString& fileName, const QString& masterDate, const CategoryList& saved);
    QUndoStack& undoStack() { return undoStack_; }
    // Undo and redo of the last step, as the stack's own actions do them. When the working copy
    // cannot take the step, the history ends and `historyEnded` says why.
    void undo();
    void redo();

    // Save, Save As and the exports: enabled while the project holds items, and for a project as
    // bound from its saved file, whose header rows it was saved with, until its items change.
    bool guardedCommandsEnabled() const;

    // Header fields, each an undoable change; typing into a field makes one step. Setting the
    // value it holds is no change. The project number keeps at most the 25 characters a project
    // file holds.
    void setProjectNumber(const QString& text);
    void setDesigner(const QString& text);
    void setLettingMonth(int index);

    // Categories.
    // Adds the category after the last one; refused when 99 is already the last.
    EditResult appendCategory();
    void setCategoryDescription(int position, const QString& description);

    // Items, addressed by their row in the store's current order.
    // Appends an item, which then stands at `row`. An item (other than one of the free-text
    // group) that its category already holds is refused.
    EditResult addItem(const ProjectRecord& record);
    // Removes the item at `row`; refused for a row that is not there.
    EditResult removeItem(int row);
    // A quantity, or none. Storing the value the item holds is no change, unless the quantity
    // was to be reviewed: typing it confirms it.
    EditResult setQuantity(int row, std::optional<double> quantity);
    // Quantities of rows, `quantities[i]` for `rows[i]`, as one step; every row must be there.
    // Each confirms a quantity that was to be reviewed; a value an item holds is otherwise no
    // change.
    EditResult setQuantities(const std::vector<int>& rows,
                             const std::vector<std::optional<double>>& quantities);
    // Quantities taken from elsewhere as one step named `what`: each of `changed`, found by its
    // key, takes its quantity (confirming one that was to be reviewed), and each of `added` is
    // added; the project then remembers `record` as its last take-off import, in the same step.
    // Refused, changing nothing, when an item to change is not there or the category of one to
    // add holds it already.
    EditResult takeQuantities(const std::vector<ProjectRecord>& changed,
                              const std::vector<ProjectRecord>& added, const QString& what,
                              const std::optional<TakeoffImportRecord>& record = std::nullopt);
    // The description of the free-text item, the only one whose description the designer
    // writes; refused for any other item.
    EditResult setFreeTextDescription(int row, const QString& description);
    // Replaces several items at once in one undoable step named `what` (the items are found by
    // their fields as they stand). An item with a quantity whose unit changes is marked for its
    // quantity to be reviewed. Nothing changes when it is not stored.
    EditResult replaceItems(const std::vector<std::pair<ProjectRecord, ProjectRecord>>& changes,
                            const QString& what);

    // Takes the header fields of what a project file holds, the items being in the table
    // already, without marking the project modified. The undo history ends.
    void bind(const specialrows::ProjectContents& contents);
    // New Project: no items, no header fields, one category 01 without a description, as at the
    // first start; not modified. The undo history ends.
    void clearForNewProject();
    // Replaces the categories while binding.
    void setCategories(const CategoryList& categories);

    // The items whose quantity is to be reviewed, and the unit it was typed in. Each mark comes
    // and goes with the step that made it; a recovered project takes them back whole.
    const QuantityReviews& quantityReviews() const { return reviews_; }
    void setQuantityReviews(const QuantityReviews& reviews);
    // Prices: each change one undoable step; setting what is held is no change. A price or
    // percentage out of range is refused.
    const ProjectPrices& prices() const { return prices_; }
    EditResult setPrice(const ItemKey& key, std::optional<ItemPrice> price);
    EditResult setMobilizationPercent(std::optional<double> percent);
    EditResult setContingencyPercent(std::optional<double> percent);
    // The milestone the project stands at, or none. A milestone (the one it has too) brings the
    // contingency back to the agency's percentage for it: one set before goes with the same
    // step. None keeps the contingency as it is set.
    EditResult setMilestone(std::optional<Milestone> milestone);
    // How the estimate is priced: a change is one undoable step. Adopting a setup takes it as no
    // step and leaves the project as modified as it was: the estimate priced with it when the
    // project had none, and a later save keeps it.
    void setEstimateSetup(const EstimateSetup& setup);
    void adoptEstimateSetup(const EstimateSetup& setup);
    // Takes the prices a project file or a recovered working copy holds, as no step.
    void setPrices(const ProjectPrices& prices);

    // The last take-off import the project remembers; one from a project file is taken as no
    // step.
    const TakeoffImportRecord& takeoffRecord() const { return takeoffRecord_; }
    void setTakeoffRecord(const TakeoffImportRecord& record);

    // The unit the project's items are taken from, kept with the working copy.
    void setUnitIndex(int index);
    int unitIndex() const { return unitIndex_; }

Q_SIGNALS:
    void modifiedChanged(bool modified);
    void headerChanged();
    void categoriesChanged();
    void fileChanged();
    // A project's contents were bound anew, or a new project begun: its views start again in the
    // working order.
    void bound();
    // An item change (also an undo or redo of one) left a record at this row: where the views
    // show the change. After a removal, the row above the removed one (or the first); -1 when
    // the project is empty.
    void itemTouched(int row);
    // Items were marked for review or their marks went.
    void quantityReviewsChanged();
    void pricesChanged();
    void takeoffRecordChanged();
    // An undo or redo the working copy could not take ended the history: the stack's own
    // actions step it, so no caller is there to be told, and the window warns with `message`.
    void historyEnded(const QString& message);

private:
    friend class ItemsCommand;

    enum class HeaderField { ProjectNumber, Designer, LettingMonth };
    // Runs an items command for the first time and puts it on the stack.
    EditResult pushItems(std::unique_ptr<ItemsCommand> command);
    // Replaces the item at `row` by `after` as one step named `step`; the item's quantity is
    // then to be reviewed as `review` says.
    EditResult changeItem(int row, const ProjectRecord& after, const QString& step,
                          const std::optional<QString>& review);
    void changeHeader(HeaderField field, const QString& value);
    void applyHeader(HeaderField field, const QString& value);
    void pushCategories(const CategoryList& after, const QString& step);
    // Puts a step's categories in place, keeping the descriptions a save filled in.
    void applyCategories(const CategoryList& categories);
    void showCategories(const CategoryList& categories);
    EditResult changePrices(const ProjectPrices& after, const QString& step);
    void applyPrices(const ProjectPrices& prices);
    void itemsChanged(int touchedRow);
    void endHistoryAfterAFailure();
    void modifiedMayHaveChanged();

    std::unique_ptr<RecordStore> items_;
    HeaderFields header_;
    CategoryList categories_;
    QuantityReviews reviews_;
    ProjectPrices prices_;
    TakeoffImportRecord takeoffRecord_;
    QString fileName_;
    bool untitled_ = true;
    QString storedMasterDate_;
    QString importedFrom_;
    int unitIndex_ = 0;
    bool forcedModified_ = false;
    bool reportedModified_ = false;
    bool boundFromSavedFile_ = false;
    std::optional<QString> failedChange_;  // why the working copy could not take an undo or redo
    // The descriptions saves wrote in place of empty ones, by category number, until the
    // project is bound or new.
    std::map<QString, QString> filledDescriptions_;
    QUndoStack undoStack_;
};

}  // namespace veskplan
