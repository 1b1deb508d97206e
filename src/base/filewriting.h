#pragma once

#include <QByteArray>
#include <QString>

namespace veskplan {

// Writes the bytes through a temporary file beside `path` that is renamed into place: either
// the whole file is there or the old one is untouched. Throws Error naming the file and the
// reason.
void writeFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace veskplan
