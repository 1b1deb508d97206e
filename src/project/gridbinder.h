#pragma once

#include <functional>
#include <utility>

#include "master/unit.h"

namespace veskplan {

class CategoryBoxes;
class MasterSession;
class ProjectDocument;
class UserPort;
struct ProjectGridState;
namespace specialrows {
struct ProjectContents;
}

// Binds the project grid to what a project file holds (`setupGrid`): the header fields and the
// categories into their boxes, the project's unit into the unit selector, the master revision
// check after an Open, and the first category selected.
class GridBinder {
public:
    // `selectUnitFromProject` selects the project's unit in the unit selector, which loads that
    // list without any question.
    GridBinder(ProjectDocument& document, MasterSession& master, CategoryBoxes& boxes,
               ProjectGridState& grid, UserPort& port,
               std::function<void(Unit)> selectUnitFromProject)
        : document_(document),
          master_(master),
          boxes_(boxes),
          grid_(grid),
          port_(port),
          selectUnitFromProject_(std::move(selectUnitFromProject)) {}

    // Binds the header fields and categories of a project whose items are in the table
    // already; `checkRevision` runs the master revision check (Open only).
    void setupGrid(const specialrows::ProjectContents& contents, bool checkRevision);
    // Whether a binding ran the revision check (the dates of the lists differed) since this was
    // last asked.
    bool takeRevisionChecked() { return std::exchange(revisionChecked_, false); }

private:
    void checkRevision();

    ProjectDocument& document_;
    MasterSession& master_;
    CategoryBoxes& boxes_;
    ProjectGridState& grid_;
    UserPort& port_;
    std::function<void(Unit)> selectUnitFromProject_;
    bool revisionChecked_ = false;
};

}  // namespace veskplan
