#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include "base/error.h"

namespace veskplan {

// Why a file could not be written. The message names the file; reason() lets a caller tell the
// failure in its own words.
class FileWriteError : public Error {
public:
    FileWriteError(const QString& path, const QString& reason);

    const QString& reason() const { return reason_; }

private:
    QString reason_;
};

// Writes the bytes through a temporary file beside `path` that is renamed into place: either
// the whole file is there or the old one is untouched. Throws FileWriteError.
void writeFileAtomically(const QString& path, const QByteArray& bytes);

// Puts a finished, closed temporary file in place of `target`: it takes the target's permissions
// (the usual ones for a new file), reaches the disk and is renamed over the target, and the
// rename reaches the disk. Throws Error whose message is the reason alone.
void moveIntoPlace(const QString& temporary, const QString& target);

// Whether the program with this process id has ended, so that a file it left behind may go.
// False for this program itself and whenever the system cannot tell.
bool processHasEnded(qint64 pid);

}  // namespace veskplan
