#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "base/csv.h"

namespace veskplan {

// The rows of a price or bid file, a CSV file or the first sheet of a workbook (.xlsx), one by
// one with the line (or sheet row) each starts on.
class TableFile {
public:
    struct Row {
        int line = 0;
        QStringList cells;
    };

    // Throws Error naming the file for a file over `maxBytes` bytes (refused before it is read),
    // of more than `maxRows` rows, or that cannot be read.
    static TableFile open(const QString& path, qint64 maxBytes, qsizetype maxRows);

    // The next row that holds something; nothing after the last. Throws csv::ReadError for a
    // malformed CSV record.
    std::optional<Row> next();

    // Whether the cells come from a workbook, where dates are day numbers.
    bool isWorkbook() const { return !reader_; }
    const QString& shownName() const { return shownName_; }

private:
    TableFile() = default;

    QString shownName_;
    std::unique_ptr<csv::Reader> reader_;
    std::vector<Row> sheetRows_;
    size_t sheetPosition_ = 0;
};

}  // namespace veskplan
