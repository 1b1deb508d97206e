#include "base/textcodec.h"

#include <array>
#include <cstring>

namespace veskplan::textcodec {
namespace {

// Code points of bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char encodeChar(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

QString decode(QByteArrayView bytes) {
    // Latin-1 is the fast path; only the bytes 0x80 to 0x9F differ, and they are rare.
    QString text = QString::fromLatin1(bytes.data(), bytes.size());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    QChar* out = nullptr;
    auto fix = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            if (in[i] - 0x80u < 0x20u) {
                if (!out) {
                    out = text.data();
                }
                out[i] = QChar(kHighControls[in[i] - 0x80]);
            }
        }
    };
    // Eight bytes at a time: a word is looked at closely only when one of its bytes has the
    // top bits 100 (0x80 to 0x9F).
    constexpr quint64 kOnes = 0x0101010101010101ULL;
    constexpr quint64 kHighBits = 0x8080808080808080ULL;
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, in + i, 8);
        const quint64 marked = (word & 0xE0E0E0E0E0E0E0E0ULL) ^ kHighBits;  // 0 where 0x80-0x9F
        if (((marked - kOnes) & ~marked & kHighBits) != 0) {
            fix(i, i + 8);
        }
    }
    fix(i, size);
    return text;
}

QByteArray encode(QStringView text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        out[i] = encodeChar(text[i].unicode());
    }
    return bytes;
}

QList<QByteArrayView> splitLines(QByteArrayView bytes) {
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            continue;
        }
        lines.append(bytes.sliced(start, i - start));
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < n) {
        lines.append(bytes.sliced(start));
    }
    return lines;
}

QStringList decodeLines(QByteArrayView bytes) {
    QStringList result;
    const auto lines = splitLines(bytes);
    result.reserve(lines.size());
    for (const auto& line : lines) {
        result.append(decode(line));
    }
    return result;
}

}  // namespace veskplan::textcodec
