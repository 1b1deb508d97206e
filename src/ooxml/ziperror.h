#pragma once

#include <QString>

#include <stdexcept>

namespace veskplan {

// A zip archive could not be read or written. The message says why; the caller adds which
// file it was, since the archive layer only sees bytes.
class ZipError : public std::runtime_error {
public:
    explicit ZipError(const QString& reason) : std::runtime_error(reason.toStdString()) {}

    QString reason() const { return QString::fromStdString(what()); }
};

}  // namespace veskplan
