#include "base/boundedfile.h"

#include <QFile>
#include <algorithm>

#include "base/textcodec.h"
#include "base/texts.h"

namespace veskplan::boundedfile {
namespace {

using namespace Qt::Literals::StringLiterals;

void openForReading(QFile& file) {
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(file.exists() ? file.errorString() : texts::noSuchFile());
    }
}

}  // namespace

QStringList readLines(const QString& path, int count, qsizetype maxLineBytes) {
    QStringList lines;
    QFile file(path);
    openForReading(file);
    QByteArray line;
    bool afterCarriageReturn = false;
    char buffer[4096];
    while (lines.size() < count) {
        const qint64 got = file.read(buffer, sizeof buffer);
        if (got < 0) {
            throw Error(file.errorString());
        }
        if (got == 0) {
            if (!line.isEmpty()) {
                lines.append(textcodec::decode(line));
            }
            break;
        }
        for (qint64 i = 0; i < got && lines.size() < count; ++i) {
            const char c = buffer[i];
            if (c == '\n' && afterCarriageReturn) {
                afterCarriageReturn = false;  // the LF of a CR LF
                continue;
            }
            afterCarriageReturn = c == '\r';
            if (c == '\r' || c == '\n') {
                lines.append(textcodec::decode(line));
                line.clear();
                continue;
            }
            if (line.size() >= maxLineBytes) {
                throw Error(texts::lineTooLong(lines.size() + 1));
            }
            line.append(c);
        }
    }
    return lines;
}

QByteArray readAll(const QString& path, qint64 maxBytes) {
    QFile file(path);
    openForReading(file);
    if (file.size() > maxBytes) {
        throw Error(texts::fileTooLarge(maxBytes));
    }
    // Read in pieces up to one byte past the limit: asking for the limit at once would have
    // Qt set aside that much memory (hundreds of megabytes for a bid file) for every read.
    QByteArray bytes;
    bytes.reserve(file.size() + 1);
    while (bytes.size() <= maxBytes) {
        const QByteArray piece = file.read(std::min(qint64(1) << 20, maxBytes + 1 - bytes.size()));
        if (piece.isEmpty()) {
            break;
        }
        bytes += piece;
    }
    if (file.error() != QFileDevice::NoError) {
        throw Error(file.errorString());
    }
    if (bytes.size() > maxBytes) {  // a device that did not tell its size
        throw Error(texts::fileTooLarge(maxBytes));
    }
    return bytes;
}

void checkLineCount(QByteArrayView bytes, qsizetype maxLines) {
    if (std::max(bytes.count('\n'), bytes.count('\r')) > maxLines) {
        throw Error(texts::tooManyLines(maxLines));
    }
}

}  // namespace veskplan::boundedfile
