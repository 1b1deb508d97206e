#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <vector>

#include "export/exportsupport.h"
#include "shell/projectrecord.h"

namespace veskplan {

struct Workspace;

// The Road CAD and Bridge CAD quantity files: a tab name, a layout line, and one line per item
// number with a quantity column per category and, with more than one category, a total.
class CadExport {
public:
    enum class Kind { RoadCad, BridgeCad };

    explicit CadExport(Workspace& workspace) : ws_(workspace) {}

    ExportOutcome mnuExpRCAD_Click();
    ExportOutcome mnuExpBCAD_Click();
    // Which of the two ran last (0 Road CAD, 1 Bridge CAD).
    int bridgeCAD = 0;

    static QString tabName(Kind kind, bool english, int highest);
    static QString layoutLine(Kind kind, int highest);
    // Column of the row total; 0 when there is none (one category).
    static int totalColumn(Kind kind, int highest);
    static int quantityColumn(int category) { return 78 + 11 * (category - 1); }

    // The file for records given in "BridgeKey" order.
    static QByteArray render(Kind kind, bool english, const std::vector<ProjectRecord>& records,
                             QChar decimalPoint);

private:
    ExportOutcome exportCAD();

    Workspace& ws_;
};

}  // namespace veskplan
