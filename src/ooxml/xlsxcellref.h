#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <utility>

namespace veskplan {

// A cell address such as "E15": 1-based row and column within the largest sheet a workbook
// may hold (1048576 rows, 16384 columns, "XFD").
class XlsxCellRef {
public:
    static constexpr int kMaxRow = 1048576;
    static constexpr int kMaxColumn = 16384;

    XlsxCellRef(int row, int column) : row_(row), column_(column) {}

    // Accepts "E15" and "e15"; no "$" marks, no sheet name. nullopt when malformed or out of
    // the sheet.
    static std::optional<XlsxCellRef> parse(QStringView text);

    // "A1:J14" as its top-left and bottom-right corners (in either order); "A1" alone is a
    // range of one cell.
    static std::optional<std::pair<XlsxCellRef, XlsxCellRef>> parseRange(QStringView text);

    // "A" for 1, "Z" for 26, "AA" for 27, "XFD" for 16384.
    static QString columnName(int column);
    // The inverse of columnName() for 1 to 3 letters of either case; 0 when not a column.
    static int columnNumber(QStringView letters);

    int row() const { return row_; }
    int column() const { return column_; }
    QString toString() const;

    bool operator==(const XlsxCellRef&) const = default;

private:
    int row_;
    int column_;
};

}  // namespace veskplan
