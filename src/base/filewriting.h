#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace veskplan {

// Writes the bytes through a temporary file beside `path` that is renamed into place: either
// the whole file is there or the old one is untouched. Throws Error naming the file and the
// reason.
void writeFileAtomically(const QString& path, const QByteArray& bytes);
// The same, returning why it failed (an empty text when it did not).
QString tryWriteFileAtomically(const QString& path, const QByteArray& bytes);

// Puts a finished, closed temporary file in place of `target`: it takes the target's permissions
// (the usual ones for a new file), reaches the disk and is renamed over the target, and the
// rename reaches the disk. Returns why it failed, or an empty text.
QString moveIntoPlace(const QString& temporary, const QString& target);

// Whether the program with this process id has ended, so that a file it left behind may go.
// False for this program itself and whenever the system cannot tell.
bool processHasEnded(qint64 pid);

}  // namespace veskplan
