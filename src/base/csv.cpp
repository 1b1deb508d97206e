#include "base/csv.h"

#include <QDir>
#include <QStringDecoder>
#include <algorithm>
#include <array>

#include "base/boundedfile.h"
#include "base/textcodec.h"
#include "base/texts.h"

namespace veskplan::csv {
namespace {

using namespace Qt::Literals::StringLiterals;

// How far the start of a file is looked at to tell text from other bytes.
constexpr qsizetype kSniffed = 64 * 1024;

bool startsUtf16(QByteArrayView bytes) {
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// Text holds no NUL and hardly a control character besides tabs, line ends, form feeds and the
// old end-of-file mark; a workbook, an image or compressed data hold a NUL within their first
// bytes or a control character in every few dozen. A PDF is known by its start.
bool looksBinary(QStringView start) {
    if (start.startsWith(u"%PDF-"_s)) {
        return true;
    }
    qsizetype controls = 0;
    for (const QChar c : start) {
        const char16_t u = c.unicode();
        if (u == 0) {
            return true;
        }
        if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\v' && u != u'\f' && u != u'\r' &&
            u != 0x1A) {
            ++controls;
        }
    }
    return controls * 100 > start.size();  // more than one in a hundred
}

QString decodeText(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes = bytes.sliced(3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    // Files saved by older spreadsheet programs are in the Windows code page.
    return utf8.hasError() ? textcodec::decode(bytes) : text;
}

// A spreadsheet's "Unicode text": UTF-16 after its byte-order mark; nothing when it breaks the
// encoding.
std::optional<QString> decodeUtf16(QByteArrayView bytes) {
    QStringDecoder utf16(
        bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
        QStringDecoder::Flag::Stateless);
    QString text = utf16(bytes.sliced(2));
    if (utf16.hasError() || bytes.size() % 2 != 0 || !text.isValidUtf16()) {
        return std::nullopt;
    }
    return text;
}

constexpr std::array<QChar, 3> kSeparators = {u',', u';', u'\t'};

// The separator the heading line uses most outside quotes: the first line that holds separators
// and more than separators and blanks (title lines above it hold none). A quote opens a quoted
// field where a field may start (at the start of the line or after a separator), as the reader
// takes it.
QChar separatorOf(QStringView text) {
    const qsizetype n = text.size();
    qsizetype position = 0;
    while (position < n) {
        std::array<int, 3> counts = {0, 0, 0};
        bool holdsText = false;
        bool quoted = false;
        bool fieldStart = true;
        for (; position < n; ++position) {
            const QChar c = text[position];
            if (quoted) {
                if (c == u'"' && position + 1 < n && text[position + 1] == u'"') {
                    ++position;  // a doubled quote, inside the field
                } else {
                    quoted = c != u'"';
                }
                continue;
            }
            if (c == u'\r' || c == u'\n') {
                break;
            }
            const auto separator = std::find(kSeparators.begin(), kSeparators.end(), c);
            if (separator != kSeparators.end()) {
                ++counts[size_t(separator - kSeparators.begin())];
                fieldStart = true;
                continue;
            }
            if (c == u'"' && fieldStart) {
                quoted = true;
            }
            holdsText = holdsText || c != u' ';
            fieldStart = false;
        }
        const auto most = std::max_element(counts.begin(), counts.end());
        if (holdsText && *most > 0) {
            return kSeparators[size_t(most - counts.begin())];
        }
        ++position;  // CR LF is two empty lines here, which changes nothing
    }
    return kSeparators[0];
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
    QByteArray bytes;
    try {
        bytes = boundedfile::readAll(path, maxBytes);
    } catch (const Error& error) {
        throw ReadError(shown, 0, error.message());
    }
    return Reader(bytes, shown, maxBytes, maxLines);
}

Reader::Reader(QByteArrayView bytes, const QString& shownName, qint64 maxBytes, qsizetype maxLines)
    : shownName_(shownName) {
    if (bytes.size() > maxBytes) {
        throw ReadError(shownName, 0, texts::fileTooLarge(maxBytes));
    }
    // Told apart before anything else is said of them: a binary file is no text of too many lines.
    std::optional<QString> utf16;
    bool binary = false;
    if (startsUtf16(bytes)) {
        utf16 = decodeUtf16(bytes);
        binary =
            !utf16 || looksBinary(QStringView(*utf16).first(std::min(utf16->size(), kSniffed)));
    } else {
        // Control characters are the same bytes in UTF-8 and in the code page.
        binary = looksBinary(QString::fromLatin1(bytes.first(std::min(bytes.size(), kSniffed))));
    }
    if (binary) {
        throw ReadError(shownName, 0, texts::notATextFile());
    }
    try {
        boundedfile::checkLineCount(bytes, maxLines);
    } catch (const Error& error) {
        throw ReadError(shownName, 0, error.message());
    }
    text_ = utf16 ? std::move(*utf16) : decodeText(bytes);
    separator_ = separatorOf(text_);
}

std::optional<QStringList> Reader::next() {
    const qsizetype n = text_.size();
    if (position_ >= n) {
        return std::nullopt;
    }
    recordLine_ = currentLine_;
    const auto endsField = [this](QChar c) { return c == separator_ || c == u'\r' || c == u'\n'; };
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
            while (position_ < n && (text_[position_] == u' ' ||
                                     (text_[position_] == u'\t' && separator_ != u'\t'))) {
                ++position_;
            }
            if (position_ < n && !endsField(text_[position_])) {
                note(currentLine_, texts::csvTextAfterQuote(separator_));
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
        if (position_ < n && text_[position_] == separator_) {
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

void appendRecord(QByteArray& out, const QStringList& fields, LineEnd lineEnd, Quote quote) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        const QString& field = fields[i];
        const bool quoted = field.contains(u',') || field.contains(u'"') || field.contains(u'\n') ||
                            field.contains(u'\r') ||
                            (quote == Quote::AlsoOtherSeparators &&
                             (field.contains(u';') || field.contains(u'\t')));
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
