#pragma once

#include <QByteArray>
#include <QChar>
#include <QLocale>
#include <QString>
#include <vector>

#include "base/commandoutcome.h"
#include "project/projectrecord.h"

namespace veskplan {

class FileDialogs;
class MasterSession;
class ProjectDocument;
class UserPort;
struct Configuration;
struct ProjectGridState;

// The two kinds of quantity file for the drafting applications.
enum class CadKind { RoadCad, BridgeCad };

// The Road CAD and Bridge CAD quantity files: a tab name, a layout line, and one line per item
// number with a quantity column per category and, with more than one category, a total.
class CadExport {
public:
    CadExport(ProjectDocument& document, const MasterSession& master, const Configuration& config,
              ProjectGridState& grid, FileDialogs& dialogs, UserPort& port, QLocale locale)
        : document_(document),
          master_(master),
          config_(config),
          grid_(grid),
          dialogs_(dialogs),
          port_(port),
          locale_(std::move(locale)) {}

    // Asks for the file (proposing the project's name with ".txt"), writes it in "BridgeKey"
    // order and says so; the grid is back in its working order afterwards.
    CommandOutcome run(CadKind kind);

    static QString tabName(CadKind kind, bool english, int highest);
    static QString layoutLine(CadKind kind, int highest);
    // Column of the row total; 0 when there is none (one category).
    static int totalColumn(CadKind kind, int highest);
    static int quantityColumn(int category) { return 78 + 11 * (category - 1); }

    // The file for records given in "BridgeKey" order.
    static QByteArray render(CadKind kind, bool english, const std::vector<ProjectRecord>& records,
                             QChar decimalPoint);

private:
    ProjectDocument& document_;
    const MasterSession& master_;
    const Configuration& config_;
    ProjectGridState& grid_;
    FileDialogs& dialogs_;
    UserPort& port_;
    QLocale locale_;
};

}  // namespace veskplan
