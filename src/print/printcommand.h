#pragma once

#include "export/exportsupport.h"
#include "print/quantitytable.h"

namespace veskplan {

struct Workspace;

// The "Print" button: the project's quantity table on the chosen printer.
class PrintCommand {
public:
    explicit PrintCommand(Workspace& workspace) : ws_(workspace) {}

    // Printer dialog, county lookup, the table in portrait (one or two categories) or landscape,
    // then the grid back in its working order and the closing message. Cancel in the dialog, or
    // a preview closed without printing, changes nothing and says nothing.
    ExportOutcome printProjList_Click();

    // Looks the county up into the workspace and builds the table from the project as it
    // stands, without moving the grid's cursor.
    static QuantityTable tableFor(Workspace& workspace);

private:
    Workspace& ws_;
};

}  // namespace veskplan
