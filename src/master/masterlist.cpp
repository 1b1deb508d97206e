#include "master/masterlist.h"

#include "shell/textcodec.h"

namespace veskplan {
namespace {

struct Column {
    qsizetype start;  // 0-based
    qsizetype width;
};
constexpr Column kColumns[3] = {{0, 12}, {13, 40}, {53, 4}};

}  // namespace

MasterList MasterList::parse(QByteArrayView fileBytes) {
    MasterList list;
    // Windows-1252 maps byte for byte, so decoding the whole file keeps every line's columns.
    list.text_ = textcodec::decode(fileBytes);
    const QList<QByteArrayView> lines = textcodec::splitLines(fileBytes);
    list.rows_.reserve(static_cast<size_t>(lines.size()));
    for (const QByteArrayView& line : lines) {
        const auto lineStart = static_cast<qsizetype>(line.data() - fileBytes.data());
        Row row{};
        for (int c = 0; c < 3; ++c) {
            const qsizetype begin = std::min(kColumns[c].start, line.size());
            const qsizetype end = std::min(kColumns[c].start + kColumns[c].width, line.size());
            row.fields[c] =
                Span{static_cast<quint32>(lineStart + begin), static_cast<quint16>(end - begin)};
        }
        list.rows_.push_back(row);
    }
    return list;
}

bool MasterList::containsNumber(QStringView number) const {
    if (!trimmedNumbersBuilt_) {
        trimmedNumbers_.reserve(count());
        for (int row = 1; row <= count(); ++row) {
            trimmedNumbers_.insert(mastNum(row).trimmed().toString());
        }
        trimmedNumbersBuilt_ = true;
    }
    return trimmedNumbers_.contains(number.toString());
}

}  // namespace veskplan
