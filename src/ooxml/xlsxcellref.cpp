#include "ooxml/xlsxcellref.h"

#include <algorithm>

namespace veskplan {

std::optional<XlsxCellRef> XlsxCellRef::parse(QStringView text) {
    qsizetype letters = 0;
    while (letters < text.size() && letters < 4 && text[letters].isLetter() &&
           text[letters].unicode() < 0x80) {
        ++letters;
    }
    const int column = columnNumber(text.first(letters));
    const QStringView digits = text.sliced(letters);
    if (column == 0 || digits.isEmpty() || digits.size() > 7 || digits[0] == u'0') {
        return std::nullopt;
    }
    int row = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        row = row * 10 + (c.unicode() - u'0');
    }
    if (row > kMaxRow) {
        return std::nullopt;
    }
    return XlsxCellRef(row, column);
}

std::optional<std::pair<XlsxCellRef, XlsxCellRef>> XlsxCellRef::parseRange(QStringView text) {
    const qsizetype colon = text.indexOf(u':');
    const auto first = parse(colon < 0 ? text : text.first(colon));
    const auto second = colon < 0 ? first : parse(text.sliced(colon + 1));
    if (!first || !second) {
        return std::nullopt;
    }
    return std::pair(XlsxCellRef(std::min(first->row(), second->row()),
                                 std::min(first->column(), second->column())),
                     XlsxCellRef(std::max(first->row(), second->row()),
                                 std::max(first->column(), second->column())));
}

QString XlsxCellRef::columnName(int column) {
    QString name;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        name.prepend(QChar(u'A' + digit));
        column = (column - 1) / 26;
    }
    return name;
}

int XlsxCellRef::columnNumber(QStringView letters) {
    if (letters.isEmpty() || letters.size() > 3) {
        return 0;
    }
    int column = 0;
    for (QChar c : letters) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z') {
            return 0;
        }
        column = column * 26 + (u - u'A' + 1);
    }
    return column <= kMaxColumn ? column : 0;
}

QString XlsxCellRef::toString() const {
    return columnName(column_) + QString::number(row_);
}

}  // namespace veskplan
