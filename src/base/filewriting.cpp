#include "base/filewriting.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <cerrno>
#include <filesystem>
#include <system_error>

// The system's own calls: a file reaches the disk only through them (fsync, FlushFileBuffers),
// Windows replaces an existing file by a rename only when told to (MoveFileEx), which the C++
// library's rename does with its real reason lost, and only the system knows whether the program
// that left a file is still running (kill with no signal, OpenProcess).
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
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

#ifdef Q_OS_WIN
const wchar_t* nativeName(const QString& path) {
    return reinterpret_cast<const wchar_t*>(path.utf16());
}

// Flushes the file's buffers; the rename itself is written through.
void syncFileToDisk(const QString& path) {
    const HANDLE file =
        CreateFileW(nativeName(QDir::toNativeSeparators(path)), GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        FlushFileBuffers(file);
        CloseHandle(file);
    }
}

void renameOver(const QString& from, const QString& to) {
    const QString source = QDir::toNativeSeparators(from);
    const QString target = QDir::toNativeSeparators(to);
    if (MoveFileExW(nativeName(source), nativeName(target),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return;
    }
    const DWORD code = GetLastError();
    throw Error(code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL
                    ? texts::diskFull()
                    : qt_error_string(static_cast<int>(code)));
}
#else
void renameOver(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).toStdString(),
                            QFile::encodeName(to).toStdString(), error);
    if (error) {
        throw Error(reasonOf(error.value(), QString::fromStdString(error.message())));
    }
}
#endif

}  // namespace

void moveIntoPlace(const QString& temporary, const QString& target) {
    const QFileInfo targetInfo(target);
    QFile::setPermissions(temporary, targetInfo.exists() ? targetInfo.permissions()
                                                         : QFile::ReadOwner | QFile::WriteOwner |
                                                               QFile::ReadUser | QFile::WriteUser |
                                                               QFile::ReadGroup | QFile::ReadOther);
#ifdef Q_OS_WIN
    syncFileToDisk(temporary);
#else
    syncToDisk(temporary);
#endif
    renameOver(temporary, target);
    syncToDisk(QFileInfo(target).absolutePath());
}

FileWriteError::FileWriteError(const QString& path, const QString& reason)
    : Error(texts::fileNotWritten(QDir::toNativeSeparators(path), reason)), reason_(reason) {}

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    // Unbuffered, so that every short write is seen: a buffered file reports a write the disk
    // refused halfway as done.
    QFile file(target.absolutePath() + u"/."_s + target.fileName() + u".part-"_s +
               QString::number(QRandomGenerator::global()->generate(), 36));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        throw FileWriteError(path, QFileInfo(target.absolutePath()).isDir()
                                       ? reasonOf(errno, file.errorString())
                                       : texts::noSuchFolder());
    }
    for (qint64 done = 0; done < bytes.size();) {
        errno = 0;
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString reason = reasonOf(errno, file.errorString());
            file.remove();
            throw FileWriteError(path, reason);
        }
        done += written;
    }
    file.close();
    try {
        moveIntoPlace(file.fileName(), path);
    } catch (const Error& error) {
        file.remove();
        throw FileWriteError(path, error.message());
    }
}

bool processHasEnded(qint64 pid) {
    if (pid <= 0 || pid == QCoreApplication::applicationPid()) {
        return false;
    }
#if defined(Q_OS_UNIX)
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
#elif defined(Q_OS_WIN)
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) {
        return ::GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
    }
    const auto closing = qScopeGuard([process] { ::CloseHandle(process); });
    DWORD exitCode = 0;
    return ::GetExitCodeProcess(process, &exitCode) && exitCode != STILL_ACTIVE;
#else
    return false;
#endif
}

}  // namespace veskplan
