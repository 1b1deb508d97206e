#include "history/filepricesource.h"

#include <QFileInfo>

namespace veskplan {
namespace {

QDateTime stampOf(const QString& path) {
    const QFileInfo info(path);
    return info.exists() ? info.lastModified() : QDateTime();
}

}  // namespace

QString FilePriceSource::name() const {
    return QFileInfo(path_).fileName();
}

bool FilePriceSource::changedSinceRead() const {
    return !readStamp_ || *readStamp_ != stampOf(path_);
}

void FilePriceSource::noteRead() {
    readStamp_ = stampOf(path_);
}

}  // namespace veskplan
