#include "base/filewriting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

#include "base/error.h"
#include "base/texts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

QString reasonOf(int errorNumber, const QString& otherwise) {
    // A write the system cut short for want of room leaves Qt with no words of its own.
    if (isDiskFull(errorNumber)) {
        return texts::diskFull();
    }
    return otherwise;
}

// Waits until what was written under `path` (a file, or the names in a folder) is on the disk.
void syncToDisk([[maybe_unused]] const QString& path) {
#ifdef Q_OS_UNIX
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
#endif
}

}  // namespace

QString moveIntoPlace(const QString& temporary, const QString& target) {
    const QFileInfo targetInfo(target);
    QFile::setPermissions(temporary, targetInfo.exists() ? targetInfo.permissions()
                                                         : QFile::ReadOwner | QFile::WriteOwner |
                                                               QFile::ReadUser | QFile::WriteUser |
                                                               QFile::ReadGroup | QFile::ReadOther);
    syncToDisk(temporary);
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temporary).toStdString(),
                            QFile::encodeName(target).toStdString(), error);
    if (error) {
        return reasonOf(error.value(), QString::fromStdString(error.message()));
    }
    syncToDisk(QFileInfo(target).absolutePath());
    return QString();
}

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    const QString failure = tryWriteFileAtomically(path, bytes);
    if (!failure.isEmpty()) {
        throw Error(texts::fileNotWritten(QDir::toNativeSeparators(path), failure));
    }
}

QString tryWriteFileAtomically(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    // Unbuffered, so that every short write is seen: a buffered file reports a write the disk
    // refused halfway as done.
    QFile file(target.absolutePath() + u"/."_s + target.fileName() + u".part-"_s +
               QString::number(QRandomGenerator::global()->generate(), 36));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        return QFileInfo(target.absolutePath()).isDir() ? reasonOf(errno, file.errorString())
                                                        : texts::noSuchFolder();
    }
    for (qint64 done = 0; done < bytes.size();) {
        errno = 0;
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString reason = reasonOf(errno, file.errorString());
            file.remove();
            return reason;
        }
        done += written;
    }
    file.close();
    const QString failure = moveIntoPlace(file.fileName(), path);
    if (!failure.isEmpty()) {
        file.remove();
    }
    return failure;
}

}  // namespace veskplan
