#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <vector>

#include "project/projectrecord.h"

namespace veskplan {

// The two kinds of quantity file for the drafting applications.
enum class CadKind { RoadCad, BridgeCad };

// The Road CAD and Bridge CAD quantity files: a tab name, a layout line, and one line per item
// number with a quantity column per category and, with more than one category, a total.
class CadExport {
public:
    static QString tabName(CadKind kind, bool english, int highest);
    static QString layoutLine(CadKind kind, int highest);
    // Column of the row total; 0 when there is none (one category).
    static int totalColumn(CadKind kind, int highest);
    static int quantityColumn(int category) { return 78 + 11 * (category - 1); }

    // The file for records given in "BridgeKey" order.
    static QByteArray render(CadKind kind, bool english, const std::vector<ProjectRecord>& records,
                             QChar decimalPoint);
};

}  // namespace veskplan
