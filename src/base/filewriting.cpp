#include "base/filewriting.h"

#include <QDir>
#include <QSaveFile>

#include "base/error.h"
#include "base/texts.h"

namespace veskplan {

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw Error(texts::fileNotWritten(QDir::toNativeSeparators(path), file.errorString()));
    }
}

}  // namespace veskplan
