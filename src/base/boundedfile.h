#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include "base/error.h"

namespace veskplan {

// Reading text files no further than their use needs, so that a wrong or hostile file (gigabytes
// of line ends, one endless line) gives a message instead of exhausting the memory.
namespace boundedfile {

// Each function throws Error whose message is the reason alone (a file that cannot be read, one
// over a limit), for the caller to put in a message that names the file.

// Lines 1 to `count` of the file (fewer when it is shorter), decoded from Windows-1252; CR LF, CR
// or LF end a line. Reading stops after line `count`. A line of more than `maxLineBytes` bytes
// throws.
QStringList readLines(const QString& path, int count, qsizetype maxLineBytes);

// The whole file; one of more than `maxBytes` bytes throws.
QByteArray readAll(const QString& path, qint64 maxBytes);

// Refuses text of more than `maxLines` lines (counting CR LF, CR or LF ends) by throwing; counted
// before the lines are built.
void checkLineCount(QByteArrayView bytes, qsizetype maxLines);

}  // namespace boundedfile
}  // namespace veskplan
