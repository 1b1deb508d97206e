#pragma once

namespace veskplan {

struct Workspace;

// Adds the master grid's current item to the project under the current category.
class ItemAdder {
public:
    explicit ItemAdder(Workspace& workspace) : ws_(workspace) {}

    // The double click on the master grid and "Add to Project" both run this.
    void addCurrentMasterItem();

private:
    Workspace& ws_;
};

}  // namespace veskplan
