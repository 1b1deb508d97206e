#include "base/csv.h"

#include <QDir>
#include <QStringDecoder>

#include "base/boundedfile.h"
#include "base/textcodec.h"
#include "base/texts.h"

namespace veskplan::csv {
namespace {

using namespace Qt::Literals::StringLiterals;

QString decodeText(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes = bytes.sliced(3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    // Files saved by older spreadsheet programs are in the Windows code page.
    return utf8.hasError() ? textcodec::decode(bytes) : text;
}

bool endsField(QChar c) {
    return c == u',' || c == u'\r' || c == u'\n';
}

// Line ends in a run of text: CR LF counts once, a lone CR or LF once each.
int lineEndsIn(QStringView run) {
    int count = 0;
    for (qsizetype k = 0; k < run.size(); ++k) {
        if (run[k] == u'\r' || (run[k] == u'\n' && (k == 0 || run[k - 1] != u'\r'))) {
            ++count;
        }
    }
    return count;
}

}  // namespace

ReadError::ReadError(const QString& shownName, int line, const QString& reason)
    : Error(texts::csvUnreadable(shownName, line, reason)), line_(line), reason_(reason) {}

Reader Reader::fromFile(const QString& path, qint64 maxBytes, qsizetype maxLines) {
    const QString shown = QDir::toNativeSeparators(path);
    const boundedfile::Bytes read = boundedfile::readAll(path, maxBytes);
    if (!read.error.isEmpty()) {
        throw ReadError(shown, 0, read.error);
    }
    return Reader(read.bytes, shown, maxBytes, maxLines);
}

Reader::Reader(QByteArrayView bytes, const QString& shownName, qint64 maxBytes, qsizetype maxLines)
    : shownName_(shownName) {
    if (bytes.size() > maxBytes) {
        throw ReadError(shownName, 0, texts::fileTooLarge(maxBytes));
    }
    if (const QString problem = boundedfile::lineCountProblem(bytes, maxLines);
        !problem.isEmpty()) {
        throw ReadError(shownName, 0, problem);
    }
    text_ = decodeText(bytes);
}

std::optional<QStringList> Reader::next() {
    const qsizetype n = text_.size();
    if (position_ >= n) {
        return std::nullopt;
    }
    recordLine_ = currentLine_;
    // The record is read to its end whatever is wrong with it, so that the next one starts in
    // the right place; the first fault found is told.
    std::optional<ReadError> fault;
    auto note = [&](int line, const QString& reason) {
        if (!fault) {
            fault.emplace(shownName_, line, reason);
        }
    };
    QStringList fields;
    for (;;) {
        QString field;
        if (position_ < n && text_[position_] == u'"') {
            const int openedOn = currentLine_;
            // Runs between quotes are taken whole; a run follows a quote, so a CR LF is never
            // split between two.
            for (++position_;;) {
                const qsizetype quote = text_.indexOf(u'"', position_);
                const QStringView run =
                    QStringView(text_).sliced(position_, (quote < 0 ? n : quote) - position_);
                field += run;
                if (quote < 0) {
                    note(openedOn, texts::csvQuoteNotClosed());
                    position_ = n;
                    break;
                }
                currentLine_ += lineEndsIn(run);
                position_ = quote + 1;
                if (position_ < n && text_[position_] == u'"') {
                    field += u'"';
                    ++position_;
                    continue;
                }
                break;
            }
            while (position_ < n && (text_[position_] == u' ' || text_[position_] == u'\t')) {
                ++position_;
            }
            if (position_ < n && !endsField(text_[position_])) {
                note(currentLine_, texts::csvTextAfterQuote());
            }
        }
        // An unquoted field, or what follows a closing quote by mistake.
        const qsizetype start = position_;
        while (position_ < n && !endsField(text_[position_])) {
            ++position_;
        }
        field += QStringView(text_).sliced(start, position_ - start);
        if (fields.size() < kMaxFields) {
            fields.append(field);
        } else {
            note(currentLine_, texts::csvTooManyFields(kMaxFields));
        }
        if (position_ < n && text_[position_] == u',') {
            ++position_;
            continue;
        }
        break;
    }
    if (position_ < n) {
        const bool crLf =
            text_[position_] == u'\r' && position_ + 1 < n && text_[position_ + 1] == u'\n';
        position_ += crLf ? 2 : 1;
        ++currentLine_;
    }
    if (fault) {
        throw *fault;
    }
    return fields;
}

void appendRecord(QByteArray& out, const QStringList& fields, LineEnd lineEnd) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        const QString& field = fields[i];
        const bool quoted = field.contains(u',') || field.contains(u'"') || field.contains(u'\n') ||
                            field.contains(u'\r');
        if (quoted) {
            QString doubled = field;
            doubled.replace(u'"', u"\"\""_s);
            out += '"' + doubled.toUtf8() + '"';
        } else {
            out += field.toUtf8();
        }
    }
    out += lineEnd == LineEnd::CrLf ? "\r\n" : "\n";
}

}  // namespace veskplan::csv
