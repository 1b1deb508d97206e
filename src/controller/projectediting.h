#pragma once

#include <QItemSelectionModel>
#include <QLocale>
#include <QObject>
#include <memory>

#include "controller/projectgridstate.h"
#include "project/categoryboxes.h"
#include "project/projectdocument.h"
#include "project/projectgridmodel.h"

namespace veskplan {

class MasterBrowsing;
class MasterSession;
class ProjectDocument;
class UserPort;
class ViewRequests;

// Editing the project's list: adding the master grid's current item, removing, typing
// quantities and the free-text description, sorting, the header fields and the categories.
// It keeps the project grid's view state (current cell, selection) apart from the document;
// the grid follows the model and the selection, the category boxes its signal.
class ProjectEditing : public QObject {
    Q_OBJECT

public:
    ProjectEditing(ProjectDocument& document, const MasterSession& master,
                   const MasterBrowsing& browsing, UserPort& port, ViewRequests& requests,
                   QLocale locale);
    ~ProjectEditing() override;

    ProjectGridModel& model() { return *model_; }
    // The grid's current cell and selection over the shown rows, shared with the grid's view.
    QItemSelectionModel& selection() { return *selection_; }
    ProjectGridState& gridState() { return grid_; }
    const ProjectGridState& gridState() const { return grid_; }
    CategoryBoxes& categoryBoxes() { return boxes_; }
    const CategoryBoxes& categoryBoxes() const { return boxes_; }
    // The store row of the grid's current cell, -1 when there is none.
    int currentRow() const;

    // Adds the master grid's current item under the current category and goes to its quantity;
    // an item its category holds already is shown instead.
    void addCurrentMasterItem();
    void removeCurrentItem();
    // A click on a column heading: "Item Number" and "Cat" choose the order.
    void sortByHeading(int column);
    // The user moved to this cell of the grid.
    void setCurrentCell(int row, int column);
    // Makes this cell current and its row the selection.
    void showCell(int row, int column);
    // A grid whose rows were all replaced (a new order, another project) has no current cell:
    // it starts at its first row, in the column the user was in.
    void startAtFirstRowIfNoneCurrent();

    // A column of numbers, one a line (as a spreadsheet copies a column), into the quantities
    // from the current cell's row down, as one step. Each is checked as a typed quantity; the
    // first that is none, or more lines than rows to take them, stops the paste with a message,
    // and nothing is pasted. Only a cell of the Quantity column takes a paste.
    bool pasteQuantities(const QString& text);

    void setProjectNumber(const QString& text);
    // A paste into the project number that would give `text`: true when it fits a project file;
    // a longer one is refused with a message, and the number stays as it was.
    bool acceptPastedProjectNumber(const QString& text);
    void setDesigner(const QString& text);
    void setLettingMonth(int index);

    // The category boxes: a pick in either list, typing a description (stored when the box
    // loses the focus), and "+".
    void selectCategory(int index);
    void selectCategoryByDescription(int index);
    void typeCategoryDescription(const QString& text);
    void storeCategoryDescription();
    void addCategory();
    // A project opened, recovered or begun: the boxes pick its first category.
    void pickFirstCategory();

Q_SIGNALS:
    // What the category boxes show changed: the list, the picked category or the typed
    // description.
    void categoriesChanged();

private:
    // Stores a typed cell text; false when it was refused (the cell keeps its value).
    bool editCell(int row, int column, const QString& text);
    // Tells the user why an edit was not stored; true when it was.
    bool stored(const ProjectDocument::EditResult& result);
    // A step the working copy could not take (the history then ends) is told as a warning.
    void warnIfFailed(const ProjectDocument::EditResult& result);

    ProjectDocument& document_;
    const MasterSession& master_;
    const MasterBrowsing& browsing_;
    UserPort& port_;
    ViewRequests& requests_;
    QLocale locale_;
    std::unique_ptr<ProjectGridModel> model_;
    ProjectGridState grid_;
    std::unique_ptr<QItemSelectionModel> selection_;
    CategoryBoxes boxes_;
};

}  // namespace veskplan
