#pragma once

#include <QString>

namespace veskplan {

struct Workspace;
class GridBinder;
class HeaderEditor;

// The File menu, the closing of the main window, and `saver`, which they share.
class ProjectFileCommands {
public:
    enum class SaveResult { Saved, Cancelled, Failed };

    ProjectFileCommands(Workspace& workspace, GridBinder& binder, HeaderEditor& header)
        : ws_(workspace), binder_(binder), header_(header) {}

    // New Project; false when the user stopped it (or its save did not go through).
    bool mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveas_Click();
    // Exit; true when the program may end now (the configuration file is written).
    bool mnuFileExit_Click();
    // The window is being closed; true when it may close (the configuration file is written).
    bool Form_Unload();

    SaveResult saver();
    // Writes the configuration file; a failure is reported, never fatal.
    void iniSave();

    // Opens a project file without any question; the master revision check runs only when
    // asked for (the command line reads projects without it). Throws Error naming the file.
    void openFile(const QString& path, bool checkRevision = true);

private:
    // The unsaved-changes prompt of New, Open and Exit: true to go on.
    bool confirmDiscard();
    void appendSpecialRows();

    Workspace& ws_;
    GridBinder& binder_;
    HeaderEditor& header_;
};

}  // namespace veskplan
