#pragma once

#include <functional>

namespace veskplan {

struct Workspace;

// The unit selector `engMet` and the loading of the master list it names.
class UnitSelector {
public:
    // `newProject` runs the New Project command and tells whether it went through.
    UnitSelector(Workspace& workspace, std::function<bool()> newProject)
        : ws_(workspace), newProject_(std::move(newProject)) {}

    // Selects an entry, as the user or a procedure does, and runs the handler.
    void select(int index);

    // The handler: loads the chosen list, asking first when the project holds items.
    void engMet_Click();

    // Loads the list of the given unit into the master grid, without any question.
    void load(int index);

private:
    Workspace& ws_;
    std::function<bool()> newProject_;
};

}  // namespace veskplan
