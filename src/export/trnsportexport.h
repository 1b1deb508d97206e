#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "base/commandoutcome.h"
#include "project/projectrecord.h"

namespace veskplan {

class CountyLookup;
class FileDialogs;
class MasterSession;
class ProjectDocument;
class UserPort;
struct Configuration;

// The Trns*Port import file: four header lines, then one line per record in the grid's order.
class TrnsportExport {
public:
    TrnsportExport(ProjectDocument& document, const MasterSession& master,
                   const Configuration& config, CountyLookup& county, FileDialogs& dialogs,
                   UserPort& port)
        : document_(document),
          master_(master),
          config_(config),
          county_(county),
          dialogs_(dialogs),
          port_(port) {}

    // Checks the project, asks for the file (in the letting month's folder under the Trns*Port
    // folder), looks the county up, writes the file and says so.
    CommandOutcome run();

    // "C03.R012B007" for "STP-12-B(7)03"; empty when the number lacks the expected form.
    static QString defaultFileName(const QString& projectNumber);

    static QByteArray render(const QString& projectNumber, const QString& county,
                             const QString& designer, const std::vector<ProjectRecord>& records);

private:
    ProjectDocument& document_;
    const MasterSession& master_;
    const Configuration& config_;
    CountyLookup& county_;
    FileDialogs& dialogs_;
    UserPort& port_;
};

}  // namespace veskplan
