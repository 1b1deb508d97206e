#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "project/projectrecord.h"

namespace veskplan {

class XlsxWorkbook;

// The Road CAD quantity workbook ("Tabfill"): one template sheet of the seed workbook, renamed
// "Tabfill", with one row per item line from row 15 on.
class TabfillExport {
public:
    static constexpr int kLargestTable = 5;  // categories the largest template holds
    static constexpr int kFirstRow = 15;

    // "e100-01a" ... "m100-01c" for the unit system and the highest category (1 to 5).
    static QString templateSheet(bool english, int highest);
    // "100-01a", "100-01b" or "100-01c": the proposed file name's stem.
    static QString tabName(int highest);

    // The seed workbook with only the template sheet for the unit and the highest category (1
    // to 5) left, renamed "Tabfill". Throws Error with the message to show.
    static XlsxWorkbook prepare(const QString& seedWorkbook, bool english, int highest);
    // Writes the item lines of records given in "BridgeKey" order into the workbook's sheet.
    static void fill(XlsxWorkbook& workbook, const std::vector<ProjectRecord>& records);
    // The workbook's bytes for records given in "BridgeKey" order. Throws Error with the
    // message to show.
    static QByteArray render(const QString& seedWorkbook, bool english,
                             const std::vector<ProjectRecord>& records);
};

}  // namespace veskplan
