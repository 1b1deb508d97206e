#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "base/csv.h"
#include "history/fieldtext.h"

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
    // How a comma in a number of the file is taken: as a thousands separator in a workbook and
    // in a CSV file separated by commas; in one separated by semicolons or tabs only before a
    // decimal point.
    fieldtext::Comma numberComma() const {
        return !reader_ || reader_->separator() == u',' ? fieldtext::Comma::Thousands
                                                        : fieldtext::Comma::ThousandsBeforeAPoint;
    }
    const QString& shownName() const { return shownName_; }

private:
    TableFile() = default;

    QString shownName_;
    std::unique_ptr<csv::Reader> reader_;
    std::vector<Row> sheetRows_;
    size_t sheetPosition_ = 0;
};

// The faults of a file's rows, gathered over the whole file so that one message tells the user
// the first few at once and the file can be mended in one go.
class RowFaults {
public:
    static constexpr int kMaxTold = 10;

    // Runs `read` for the row at `line`; a fieldtext::FieldError it throws is kept. Whether the
    // row was read without one.
    bool check(int line, const std::function<void()>& read);
    bool any() const { return count_ > 0; }
    // Throws csv::ReadError at the first fault's line, naming up to kMaxTold faults and how many
    // more there are; nothing when there are none.
    void throwIfAny(const QString& shownName) const;

private:
    int firstLine_ = 0;
    QString firstReason_;
    QStringList later_;
    int count_ = 0;
};

}  // namespace veskplan
