#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>
#include <vector>

#include "base/fixedcolumntext.h"

namespace veskplan {

// The rows of one master item list file, as cut from its fixed columns. Rows are numbered from
// 0, as in the grid model. The decoded file is kept whole and the fields are views into it, so
// a load costs one decode and no allocation per field.
class MasterList {
public:
    MasterList() = default;

    // Cuts every line of a master list file: columns 1-12 item number, 14-53 description,
    // 54-57 unit; nothing trimmed; a short line gives short or empty fields. Every line,
    // blank ones too, is a row.
    static MasterList parse(QByteArrayView fileBytes);

    int count() const { return static_cast<int>(rows_.size()); }
    QStringView itemNumber(int row) const { return field(row, 0); }
    QStringView description(int row) const { return field(row, 1); }
    QStringView unit(int row) const { return field(row, 2); }

    // The first row, in file order, whose item number begins with `prefix` (exact text); -1 when
    // none does. A list in item-number order (as master lists are) is searched by halving.
    int firstRowStartingWith(QStringView prefix) const;

    // Whether `number` equals one of the list's item numbers with the blanks around it removed.
    bool containsNumber(QStringView number) const { return rowOfNumber(number) >= 0; }

    // The first row whose item number, blanks around it removed, equals `number`; -1 when none
    // does. A hash of those numbers is built on first use.
    int rowOfNumber(QStringView number) const;

private:
    struct Span {
        quint32 start;
        quint16 length;
    };
    struct Row {
        Span fields[3];
    };

    QStringView field(int row, int column) const {
        const Span& span = rows_[static_cast<size_t>(row)].fields[column];
        return QStringView(text_).sliced(span.start, span.length);
    }

    QString text_;
    std::vector<Row> rows_;
    enum class Order { Unknown, Ascending, Unordered };
    mutable Order order_ = Order::Unknown;
    mutable QHash<QString, int> rowsByTrimmedNumber_;
    mutable bool rowsByTrimmedNumberBuilt_ = false;
};

}  // namespace veskplan
