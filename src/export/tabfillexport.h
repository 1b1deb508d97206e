#pragma once

#include <QString>
#include <vector>

#include "export/exportsupport.h"
#include "shell/projectrecord.h"

namespace veskplan {

class XlsxWorkbook;
struct Workspace;

// The Road CAD quantity workbook ("Tabfill"): one template sheet of the seed workbook, renamed
// "Tabfill", with one row per item line from row 15 on.
class TabfillExport {
public:
    static constexpr int kLargestTable = 5;  // categories the largest template holds
    static constexpr int kFirstRow = 15;

    explicit TabfillExport(Workspace& workspace) : ws_(workspace) {}

    // The Export menu's "Road CAD (Excel)".
    ExportOutcome mnuExpRCADexcel_Click();

    // "e100-01a" ... "m100-01c" for the unit system and the highest category (1 to 5).
    static QString templateSheet(bool english, int highest);
    // "100-01a", "100-01b" or "100-01c": the proposed file name's stem.
    static QString tabName(int highest);

    // Writes the item lines of records given in "BridgeKey" order into the workbook's sheet.
    static void fill(XlsxWorkbook& workbook, const std::vector<ProjectRecord>& records);

private:
    Workspace& ws_;
};

}  // namespace veskplan
