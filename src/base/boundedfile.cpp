#include "base/boundedfile.h"

#include <QFile>
#include <algorithm>

#include "base/textcodec.h"
#include "base/texts.h"

namespace veskplan::boundedfile {
namespace {

using namespace Qt::Literals::StringLiterals;

QString openError(const QFile& file) {
    return file.exists() ? file.errorString() : texts::noSuchFile();
}

}  // namespace

Lines readLines(const QString& path, int count, qsizetype maxLineBytes) {
    Lines result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = openError(file);
        return result;
    }
    QByteArray line;
    bool afterCarriageReturn = false;
    char buffer[4096];
    while (result.lines.size() < count) {
        const qint64 got = file.read(buffer, sizeof buffer);
        if (got < 0) {
            result.error = file.errorString();
            return result;
        }
        if (got == 0) {
            if (!line.isEmpty()) {
                result.lines.append(textcodec::decode(line));
            }
            break;
        }
        for (qint64 i = 0; i < got && result.lines.size() < count; ++i) {
            const char c = buffer[i];
            if (c == '\n' && afterCarriageReturn) {
                afterCarriageReturn = false;  // the LF of a CR LF
                continue;
            }
            afterCarriageReturn = c == '\r';
            if (c == '\r' || c == '\n') {
                result.lines.append(textcodec::decode(line));
                line.clear();
                continue;
            }
            if (line.size() >= maxLineBytes) {
                result.error = texts::lineTooLong(result.lines.size() + 1);
                return result;
            }
            line.append(c);
        }
    }
    return result;
}

Bytes readAll(const QString& path, qint64 maxBytes) {
    Bytes result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = openError(file);
        return result;
    }
    if (file.size() > maxBytes) {
        result.error = texts::fileTooLarge(maxBytes);
        return result;
    }
    // Read in pieces up to one byte past the limit: asking for the limit at once would have
    // Qt set aside that much memory (hundreds of megabytes for a bid file) for every read.
    result.bytes.reserve(file.size() + 1);
    while (result.bytes.size() <= maxBytes) {
        const QByteArray piece =
            file.read(std::min(qint64(1) << 20, maxBytes + 1 - result.bytes.size()));
        if (piece.isEmpty()) {
            break;
        }
        result.bytes += piece;
    }
    if (file.error() != QFileDevice::NoError) {
        result.bytes.clear();
        result.error = file.errorString();
    } else if (result.bytes.size() > maxBytes) {  // a device that did not tell its size
        result.bytes.clear();
        result.error = texts::fileTooLarge(maxBytes);
    }
    return result;
}

QString lineCountProblem(QByteArrayView bytes, qsizetype maxLines) {
    const qsizetype ends = std::max(bytes.count('\n'), bytes.count('\r'));
    return ends > maxLines ? texts::tooManyLines(maxLines) : QString();
}

}  // namespace veskplan::boundedfile
