#pragma once

#include <QLocale>
#include <QObject>
#include <QString>

#include "controller/commandoutcome.h"
#include "controller/userport.h"
#include "export/exportformat.h"

namespace veskplan {

class BusyIndicator;
class CountyLookup;
class FileDialogs;
class MasterSession;
class ProjectDocument;
class ProjectEditing;
class UserPort;
class ViewRequests;
struct Configuration;
class ProjectGridState;

// The Export menu: the checks before an export, the file dialog, the writer and the closing
// message of each export format.
class ExportCommands : public QObject {
    Q_OBJECT

public:
    ExportCommands(ProjectDocument& document, const MasterSession& master, ProjectEditing& editing,
                   const Configuration& config, CountyLookup& county, ProjectGridState& grid,
                   FileDialogs& dialogs, UserPort& port, BusyIndicator& busy,
                   ViewRequests& requests, QString seedWorkbook, QLocale locale)
        : document_(document),
          master_(master),
          editing_(editing),
          config_(config),
          county_(county),
          grid_(grid),
          dialogs_(dialogs),
          port_(port),
          busy_(busy),
          requests_(requests),
          seedWorkbook_(std::move(seedWorkbook)),
          locale_(std::move(locale)) {}

    // Refuses what the format cannot hold, checks the project, asks for the file (proposing the
    // format's name in its folder) and writes the items in the format's order. A format that
    // walks the items by item number leaves the grid in its working order on its first row.
    CommandOutcome exportAs(ExportFormat::Id id);

private:
    // Before an export writes anything, the project is checked for what the receiving program
    // would refuse (errors) or what is probably a mistake (warnings). With findings the
    // designer goes back or exports anyway (with errors, going back is what Enter does, and it
    // shows the first finding's item); without, nothing is asked. True when the export may go
    // on.
    bool passChecks();
    ExportInput inputFor(const ExportFormat& format) const;
    FileDialogRequest dialogFor(const ExportFormat& format, const ExportInput& input) const;

    ProjectDocument& document_;
    const MasterSession& master_;
    ProjectEditing& editing_;
    const Configuration& config_;
    CountyLookup& county_;
    ProjectGridState& grid_;
    FileDialogs& dialogs_;
    UserPort& port_;
    BusyIndicator& busy_;
    ViewRequests& requests_;
    QString seedWorkbook_;
    QLocale locale_;
};

}  // namespace veskplan
