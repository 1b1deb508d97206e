#include "history/filepricesource.h"

#include <QFileInfo>

#include "base/filestamp.h"

namespace veskplan {

QString FilePriceSource::name() const {
    return QFileInfo(path_).fileName();
}

bool FilePriceSource::changedSinceRead() const {
    return !readStamp_ || *readStamp_ != fileStamp(path_);
}

void FilePriceSource::noteRead() {
    readStamp_ = fileStamp(path_);
}

}  // namespace veskplan
