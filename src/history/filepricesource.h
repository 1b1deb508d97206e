#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

#include "history/pricesource.h"

namespace veskplan {

// A price source that is a file: named by the file's name, changed when the file was written
// (or came or went) since it was last read.
class FilePriceSource : public PriceSource {
public:
    explicit FilePriceSource(QString path) : path_(std::move(path)) {}

    QString name() const override;
    QString location() const override { return path_; }
    bool changedSinceRead() const override;

protected:
    // Notes the file as it is now, before reading it: a file that cannot be read is not read
    // again until it changes.
    void noteRead();
    const QString& path() const { return path_; }

private:
    QString path_;
    std::optional<QDateTime> readStamp_;  // invalid: the file was missing
};

}  // namespace veskplan
