#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QString>

namespace veskplan {

// When a file was last written, to tell whether it changed since it was read; null when there is
// no such file.
inline QDateTime fileStamp(const QString& path) {
    const QFileInfo info(path);
    return info.exists() ? info.lastModified() : QDateTime();
}

}  // namespace veskplan
