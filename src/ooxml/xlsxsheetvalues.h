#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace veskplan {

// The values of a workbook's first worksheet as text, for files that are read rather than
// edited: shared and inline strings as they read, numbers as stored ("45383", "12.5"), booleans
// as 1 and 0, formulas as their last computed result.
class XlsxSheetValues {
public:
    struct Row {
        int row = 0;        // the sheet's row number, from 1
        QStringList cells;  // column A first; a missing cell is empty text
    };

    // The rows that hold cells, in sheet order. Throws XlsxError naming the file for a file the
    // workbook reader refuses, a workbook without a worksheet, more than `maxRows` rows or a
    // cell beyond column `maxColumns`.
    static std::vector<Row> read(const QString& path, qsizetype maxRows, int maxColumns);
};

}  // namespace veskplan
