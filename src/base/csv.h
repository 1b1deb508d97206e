#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

#include "base/error.h"

namespace veskplan {

// Comma-separated values as spreadsheet programs save them: fields separated by commas; a field
// in double quotes may hold commas, line ends and doubled quotes; records end at CR LF, LF or CR.
// Where the list separator of the system is the semicolon, spreadsheet programs separate the
// fields by semicolons instead, and their "text" files by tabs: the reader takes the separator
// the heading line uses.
namespace csv {

// Why a CSV file, or one record of it, cannot be read. The message names the file, the line
// (when a record is the problem) and the reason; line() and reason() let a caller tell the
// problem in its own words.
class ReadError : public Error {
public:
    // `line` is 0 when the whole file is the problem.
    ReadError(const QString& shownName, int line, const QString& reason);

    int line() const { return line_; }
    const QString& reason() const { return reason_; }

private:
    int line_;
    QString reason_;
};

// Reads the records of a CSV text one by one, so that a file of many records costs no more
// memory than its text and one record.
class Reader {
public:
    // A record of more fields than this is refused: a line of commas would otherwise cost a
    // string for every comma.
    static constexpr qsizetype kMaxFields = 1024;

    // The file at `path`. A file of more than `maxBytes` bytes is refused before it is read, one
    // of more than `maxLines` lines before it is decoded; both, and a file that cannot be read,
    // throw ReadError with line 0.
    static Reader fromFile(const QString& path, qint64 maxBytes, qsizetype maxLines);

    // `bytes` are UTF-8 (a byte-order mark allowed), UTF-16 with its byte-order mark (a
    // spreadsheet's "Unicode text") or, when they are not valid UTF-8, Windows-1252; `shownName`
    // names them in messages. Limits as fromFile(). Bytes that are no text (a workbook, a PDF,
    // anything holding a NUL byte or many other control characters near its start) throw
    // ReadError with line 0 and the reason texts::notATextFile(), before any record is read.
    Reader(QByteArrayView bytes, const QString& shownName, qint64 maxBytes, qsizetype maxLines);

    // The character between the fields: of comma, semicolon and tab the one the heading line
    // (the first line that holds separators and more than separators and blanks, below any title
    // lines) uses most outside quotes, the earlier of them on a tie; a comma when no line holds
    // one. It serves the whole text.
    QChar separator() const { return separator_; }

    // The fields of the next record; nothing after the last. An empty line is a record of one
    // empty field. Blanks between a closing quote and the next separator are left out; a quote
    // inside a field that does not start with one is an ordinary character. A malformed record
    // (a quote not closed before the end of the text, other text after a closing quote, too many
    // fields) throws ReadError with the line of the fault; the next call goes on after that
    // record.
    std::optional<QStringList> next();

    // The line the record last read (or refused) starts on, counted from 1.
    int line() const { return recordLine_; }

private:
    QString text_;
    QString shownName_;
    QChar separator_ = u',';
    qsizetype position_ = 0;
    int currentLine_ = 1;
    int recordLine_ = 0;
};

enum class LineEnd { CrLf, Lf };

// Which fields appendRecord() puts in quotes.
enum class Quote {
    // Those that hold a comma, a quote or a line end.
    WhereNeeded,
    // Also those that hold a semicolon or a tab, so that a file the program reads back finds
    // the comma as its separator whatever its first line holds.
    AlsoOtherSeparators,
};

// Appends one record in UTF-8: the fields separated by commas, each in double quotes (its quotes
// doubled) as `quote` says; then the line end.
void appendRecord(QByteArray& out, const QStringList& fields, LineEnd lineEnd,
                  Quote quote = Quote::WhereNeeded);

}  // namespace csv
}  // namespace veskplan
