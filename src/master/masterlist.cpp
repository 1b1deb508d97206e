#include "master/masterlist.h"

#include <cstring>

#include "base/textcodec.h"

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
    // Windows-1252 maps byte for byte, so the decoded text keeps every line's columns.
    list.text_ = textcodec::decode(fileBytes);
    const char* data = fileBytes.data();
    const qsizetype size = fileBytes.size();
    list.rows_.reserve(static_cast<size_t>(size / 58 + 1));
    auto addRow = [&list](qsizetype lineStart, qsizetype lineLength) {
        Row row{};
        for (int c = 0; c < 3; ++c) {
            const qsizetype begin = std::min(kColumns[c].start, lineLength);
            const qsizetype end = std::min(kColumns[c].start + kColumns[c].width, lineLength);
            row.fields[c] =
                Span{static_cast<quint32>(lineStart + begin), static_cast<quint16>(end - begin)};
        }
        list.rows_.push_back(row);
    };
    // Lines end at CR LF, CR or LF. The next LF is found once and kept, so that a file ended
    // by CRs alone is not searched again for every line.
    qsizetype position = 0;
    qsizetype nextLineFeed = -1;
    while (position < size) {
        if (nextLineFeed < position) {
            const void* found =
                std::memchr(data + position, '\n', static_cast<size_t>(size - position));
            nextLineFeed = found ? static_cast<const char*>(found) - data : size;
        }
        const void* carriageReturn =
            std::memchr(data + position, '\r', static_cast<size_t>(nextLineFeed - position));
        qsizetype lineEnd = nextLineFeed;
        qsizetype next = nextLineFeed + 1;
        if (carriageReturn) {
            lineEnd = static_cast<const char*>(carriageReturn) - data;
            next = lineEnd + 1;
            if (next < size && data[next] == '\n') {
                ++next;
            }
        }
        addRow(position, lineEnd - position);
        position = next;
    }
    return list;
}

int MasterList::firstRowStartingWith(QStringView prefix) const {
    const int n = count();
    if (order_ == Order::Unknown) {
        order_ = Order::Ascending;
        for (int row = 1; row < n; ++row) {
            if (itemNumber(row - 1).compare(itemNumber(row)) > 0) {
                order_ = Order::Unordered;
                break;
            }
        }
    }
    if (order_ == Order::Unordered) {
        for (int row = 0; row < n; ++row) {
            if (itemNumber(row).startsWith(prefix)) {
                return row;
            }
        }
        return -1;
    }
    // Every number that begins with the prefix sorts at or after it, and every earlier row
    // sorts before it, so the first row not below the prefix is the only candidate.
    int low = 0;
    int high = n;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (itemNumber(middle).compare(prefix) < 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low < n && itemNumber(low).startsWith(prefix) ? low : -1;
}

int MasterList::rowOfNumber(QStringView number) const {
    if (number.isEmpty()) {
        return -1;  // a blank line of the list names no item
    }
    if (!rowsByTrimmedNumberBuilt_) {
        rowsByTrimmedNumber_.reserve(count());
        // From the last row up, so that a number the list repeats keeps its first row.
        for (int row = count() - 1; row >= 0; --row) {
            rowsByTrimmedNumber_.insert(itemNumber(row).trimmed().toString(), row);
        }
        rowsByTrimmedNumberBuilt_ = true;
    }
    return rowsByTrimmedNumber_.value(number.toString(), -1);
}

}  // namespace veskplan
