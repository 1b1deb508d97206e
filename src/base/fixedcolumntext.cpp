#include "base/fixedcolumntext.h"

#include <algorithm>

#include "base/textcodec.h"

namespace veskplan {

QStringView withoutTrailingBlanks(QStringView text) {
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ') {
        --n;
    }
    return text.first(n);
}

void FixedColumnText::place(int column, QStringView value) {
    const qsizetype start = std::max(column, 1) - 1;
    if (current_.size() > start) {
        endLine();
    }
    current_ += QString(start - current_.size(), u' ');
    current_ += value;
}

void FixedColumnText::endLine() {
    lines_.append(current_);
    current_.clear();
}

QByteArray FixedColumnText::windows1252() const {
    QByteArray bytes;
    for (const QString& line : lines_) {
        bytes += textcodec::encode(line);
        bytes += textcodec::kLineEnd;
    }
    return bytes;
}

}  // namespace veskplan
