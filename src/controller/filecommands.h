#pragma once

#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QUrl>
#include <optional>
#include <vector>

#include "project/projectrecord.h"

namespace veskplan {

class BusyIndicator;
class FileDialogs;
class MasterSession;
class ProjectBinding;
class ProjectDocument;
class ProjectEditing;
class RecentProjects;
class RecoveryWriter;
class UserPort;
class ViewRequests;
struct AppPaths;
struct Configuration;

// The project that files dropped onto the window open: one file of this machine's, or none.
std::optional<QString> droppedProject(const QList<QUrl>& urls);

// The File menu, the closing of the main window, the recent projects and the offer of the work
// a crashed run left behind. The document and the editing tool tell the views what changed.
class FileCommands : public QObject {
    Q_OBJECT

public:
    enum class SaveResult { Saved, Cancelled, Failed };

    FileCommands(ProjectDocument& document, const MasterSession& master, ProjectEditing& editing,
                 ProjectBinding& binding, Configuration& config, const AppPaths& paths,
                 FileDialogs& dialogs, RecentProjects& recent, RecoveryWriter& recovery,
                 UserPort& port, BusyIndicator& busy, ViewRequests& requests, QLocale locale)
        : document_(document),
          master_(master),
          editing_(editing),
          binding_(binding),
          config_(config),
          paths_(paths),
          dialogs_(dialogs),
          recent_(recent),
          recovery_(recovery),
          port_(port),
          busy_(busy),
          requests_(requests),
          locale_(std::move(locale)) {}

    // New Project; false when the user stopped it (or its save did not go through).
    bool newProject();
    // Open Project: the unsaved-changes question, the open dialog, then the file.
    void openProject();
    // A project named on the command line, dropped on the window or picked among the recent
    // ones: the unsaved-changes question, then the file. A recent project that is gone is
    // taken off the list, with a message.
    void openProject(const QString& path);
    // Saves the project, asking for a file name when it has none; says why it failed. The
    // undo history stays: the saved state becomes its clean state.
    SaveResult save();
    // Saves under a name asked for. Nothing changes when the save does not go through: the
    // project keeps its file name and its unsaved state.
    SaveResult saveAs();
    // Exit; true when the program may end now (the configuration file is written).
    bool exit();
    // The window is being closed; true when it may close (the configuration file is written).
    bool closeWindow();

    // Offers back, one at a time, the unsaved work of each run that ended without closing
    // (working copies in `tempDir` whose program is gone): Recover puts it in the window as an
    // unsaved project, Discard removes it, Later leaves it for the next start. Only one project
    // fits the window: once one is recovered, the others wait.
    void offerRecovery(const QString& tempDir);

    // Opens a project file without any question; the master revision check runs only when
    // asked for. Throws Error naming the file; the open project is then untouched.
    void openFile(const QString& path, bool checkRevision = true);

    QStringList recentProjects() const;

private:
    // Writes the project to its file, or to one the user names.
    SaveResult write(bool askForName);
    // Puts a project's items in the table. Throws Error naming `shownFile` when the working
    // copy cannot take them; the table is then unchanged.
    void putItems(const std::vector<ProjectRecord>& items, const QString& shownFile);
    // A value still being typed into a grid cell or the category description box is stored.
    void commitTyping();
    // The unsaved-changes question; true when the command may go on.
    bool confirmDiscard();
    // Writes the configuration file; a failure is reported, never fatal.
    void writeConfiguration();

    ProjectDocument& document_;
    const MasterSession& master_;
    ProjectEditing& editing_;
    ProjectBinding& binding_;
    Configuration& config_;
    const AppPaths& paths_;
    FileDialogs& dialogs_;
    RecentProjects& recent_;
    RecoveryWriter& recovery_;
    UserPort& port_;
    BusyIndicator& busy_;
    ViewRequests& requests_;
    QLocale locale_;
};

}  // namespace veskplan
