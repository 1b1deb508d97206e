#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "master/mastergrid.h"
#include "project/categorylist.h"
#include "project/headerfields.h"
#include "project/projectgridmodel.h"
#include "shell/apppaths.h"
#include "shell/configuration.h"
#include "shell/environment.h"
#include "shell/recordstore.h"
#include "shell/userport.h"

namespace veskplan {

// Whether the project has unsaved changes, and where it lives.
struct ProjectFlags {
    bool projSaved = true;     // no unsaved changes
    bool projUntitled = true;  // the next save asks for a file name
    QString projFile;          // path of the project file; empty for a new project
    bool projOpening = false;  // true only while Open binds the grid
    QString projMastDate;      // master list date stored in the opened project
};

// Everything the main window holds while the program runs: configuration, the master list and
// its grid, the project table and its grid, the header fields, the categories and the flags.
// The handler classes work on it; the window mirrors it.
struct Workspace {
    Workspace(UserPort& userPort, Environment environment, QLocale systemLocale,
              std::function<QDate()> clock)
        : port(userPort),
          env(std::move(environment)),
          paths(AppPaths::resolve(env)),
          locale(std::move(systemLocale)),
          today(std::move(clock)) {}

    UserPort& port;
    Environment env;
    AppPaths paths;
    Configuration config;
    QLocale locale;
    std::function<QDate()> today;

    // Master item list.
    MasterGrid master;
    int engMet = -1;         // unit selector: 0 English, 1 Metric
    int mastUnitLoaded = 2;  // 0 English, 1 Metric, 2 none
    bool unitFromProject = false;
    QString mastRevDate;  // caption of the revision label
    bool masterLoadFailed = false;

    // Searching.
    int srchPos = 0;
    QString itemSrch;
    QString srchStr;
    QString chosenCat;

    // Project.
    QString workDb;
    std::unique_ptr<RecordStore> store;
    std::unique_ptr<ProjectGridModel> projectModel;
    int projectColumn = 0;  // the project grid's current column
    ProjectGridModel::ColumnWidths projectColumnWidths = ProjectGridModel::standardWidths();
    HeaderFields header;
    CategoryList categories;
    ProjectFlags flags;
    bool guardedEnabled = false;  // Save, Save As and the four exports

    // Looked up in the county file by the Trns*Port export and the print; kept between them.
    QString countyName;

    // The directory of the file last chosen in any file dialog: where the workbook dialog starts.
    QString currentDir;

    void markUnsaved() { flags.projSaved = false; }

    // Shows a file dialog and remembers the directory of the chosen file.
    std::optional<QString> chooseFile(const FileDialogRequest& request) {
        auto chosen = port.chooseFile(request);
        if (chosen) {
            currentDir = directoryOf(*chosen);
        }
        return chosen;
    }

    // The date part of the revision label, as stored in project files.
    QString masterDate() const { return mastRevDate.mid(8); }
};

}  // namespace veskplan
