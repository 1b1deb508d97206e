#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace veskplan {

// Reading text files no further than their use needs, so that a wrong or hostile file (gigabytes
// of line ends, one endless line) gives a message instead of exhausting the memory.
namespace boundedfile {

struct Lines {
    QStringList lines;  // decoded from Windows-1252; CR LF, CR or LF end a line
    QString error;      // a file that cannot be read, or a line over the limit; empty otherwise
};

// Lines 1 to `count` of the file (fewer when it is shorter); reading stops after line `count`.
// A line of more than `maxLineBytes` bytes is an error.
Lines readLines(const QString& path, int count, qsizetype maxLineBytes);

struct Bytes {
    QByteArray bytes;
    QString error;
};

// The whole file, when it holds at most `maxBytes` bytes.
Bytes readAll(const QString& path, qint64 maxBytes);

// Why text of more than `maxLines` lines (counting CR LF, CR or LF ends) is refused; an empty
// text when it has no more. Counted before the lines are built.
QString lineCountProblem(QByteArrayView bytes, qsizetype maxLines);

}  // namespace boundedfile
}  // namespace veskplan
