#pragma once

#include <QString>
#include <vector>

#include "base/commandoutcome.h"
#include "project/projectrecord.h"

namespace veskplan {

class FileDialogs;
class MasterSession;
class ProjectDocument;
class UserPort;
class XlsxWorkbook;
struct ProjectGridState;

// The Road CAD quantity workbook ("Tabfill"): one template sheet of the seed workbook, renamed
// "Tabfill", with one row per item line from row 15 on.
class TabfillExport {
public:
    static constexpr int kLargestTable = 5;  // categories the largest template holds
    static constexpr int kFirstRow = 15;

    TabfillExport(ProjectDocument& document, const MasterSession& master, QString seedWorkbook,
                  ProjectGridState& grid, FileDialogs& dialogs, UserPort& port)
        : document_(document),
          master_(master),
          seedWorkbook_(std::move(seedWorkbook)),
          grid_(grid),
          dialogs_(dialogs),
          port_(port) {}

    // Checks the seed workbook, asks for the file, fills and saves the workbook and says so. A
    // project with more than five categories is refused before anything is asked.
    CommandOutcome run();

    // "e100-01a" ... "m100-01c" for the unit system and the highest category (1 to 5).
    static QString templateSheet(bool english, int highest);
    // "100-01a", "100-01b" or "100-01c": the proposed file name's stem.
    static QString tabName(int highest);

    // The seed workbook with only the template sheet for the unit and the highest category (1
    // to 5) left, renamed "Tabfill". Throws XlsxError.
    static XlsxWorkbook prepare(const QString& seedWorkbook, bool english, int highest);
    // Writes the item lines of records given in "BridgeKey" order into the workbook's sheet.
    static void fill(XlsxWorkbook& workbook, const std::vector<ProjectRecord>& records);
    // Fills the prepared workbook and writes it to `path`. Throws Error with the message to
    // show; the file is then as it was.
    static void write(XlsxWorkbook& workbook, const std::vector<ProjectRecord>& records,
                      const QString& path);

private:
    ProjectDocument& document_;
    const MasterSession& master_;
    QString seedWorkbook_;
    ProjectGridState& grid_;
    FileDialogs& dialogs_;
    UserPort& port_;
};

}  // namespace veskplan
