#pragma once

#include <QString>
#include <optional>

#include "base/configuration.h"

namespace veskplan {

// The six-line configuration file. Values are read by position: lines 2, 4 and 6 carry a value
// from their eleventh character on; the comment lines are never looked at.
class ConfigFile {
public:
    struct ReadResult {
        Configuration values;
        bool existed = false;
        // When the file exists but could not be read whole; names the file.
        std::optional<QString> warning;
    };

    explicit ConfigFile(QString path);

    const QString& path() const { return path_; }

    // Reads the file; what it lacks comes from `defaults`. A missing file is a first run and
    // gives the defaults without a warning.
    ReadResult read(const Configuration& defaults) const;

    // Rewrites the file with exactly six lines (Windows-1252, CR LF). Throws Error
    // naming the file when it cannot be written.
    void write(const Configuration& values) const;

    // The bytes `write` puts in the file.
    static QByteArray render(const Configuration& values);

private:
    QString path_;
};

}  // namespace veskplan
