#include "files/workingcopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>

#include "base/apppaths.h"
#include "base/error.h"
#include "base/sqlitedb.h"
#include "files/filestexts.h"
#include "project/projectschema.h"
#include "project/recordstore.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kPattern = u"veskDataTmp-*.vsk"_s;

// The time of the last change a working copy took: every change goes to its log first. Taken
// before the copy is opened, which folds the log into it.
QDateTime lastChangeOf(const QString& path) {
    QDateTime latest = QFileInfo(path).lastModified();
    const QFileInfo log(path + u"-wal"_s);
    if (log.exists() && log.lastModified() > latest) {
        latest = log.lastModified();
    }
    return latest;
}

// Reads what a working copy left behind holds; opening it replays its log.
void readOrphanData(WorkingCopy::Orphan& orphan) {
    SqliteDb db(orphan.path, SqliteDb::Mode::ReadWriteCreate);
    auto rows = db.prepare(projectschema::kSelectRows);
    while (rows.step()) {
        orphan.items.push_back(projectschema::readRow(rows));
    }
    std::map<QString, QString> values;
    auto exists = db.prepare("SELECT count(*) FROM sqlite_master WHERE name = 'workstate'");
    exists.step();
    if (exists.integer(0) > 0) {
        auto state = db.prepare("SELECT key, value FROM workstate");
        while (state.step()) {
            values[state.text(0)] = state.text(1);
        }
    } else {
        values[u"modified"_s] = u"1"_s;  // a copy that kept no state: whatever it holds counts
    }
    orphan.state = RecoveryState::read(values);
}

// Opening a copy replays its log into it, which would make the time the user is asked about the
// time it was looked at: the file keeps the time of its last change instead.
void readOrphan(WorkingCopy::Orphan& orphan) {
    orphan.changed = lastChangeOf(orphan.path);
    readOrphanData(orphan);
    QFile file(orphan.path);
    if (file.open(QIODevice::ReadWrite)) {
        file.setFileTime(orphan.changed, QFileDevice::FileModificationTime);
    }
}

}  // namespace

QString WorkingCopy::lockPathOf(const QString& path) {
    return path + u".lock"_s;
}

WorkingCopy::WorkingCopy(const QString& tempDir) {
    // A name of its own for every running copy, so two copies never share a working file.
    QDir().mkpath(tempDir);
    QTemporaryFile reserve(joinPath(tempDir, u"veskDataTmp-XXXXXX.vsk"_s));
    reserve.setAutoRemove(false);
    if (!reserve.open()) {
        throw Error(texts::workingDatabaseFailed(QDir::toNativeSeparators(reserve.fileTemplate()),
                                                 reserve.errorString()));
    }
    path_ = reserve.fileName();
    reserve.close();
    lock_ = std::make_unique<QLockFile>(lockPathOf(path_));
    if (!lock_->tryLock(0)) {
        QFile::remove(path_);
        throw Error(texts::workingDatabaseFailed(QDir::toNativeSeparators(lockPathOf(path_)),
                                                 u"it could not be locked"_s));
    }
}

WorkingCopy::~WorkingCopy() {
    SqliteDb::removeFiles(path_);
    lock_->unlock();
}

std::unique_ptr<RecordStore> WorkingCopy::createStore() const {
    try {
        return RecordStore::create(path_);
    } catch (const SqliteError& error) {
        throw Error(texts::workingDatabaseFailed(QDir::toNativeSeparators(path_), error.reason()));
    }
}

bool WorkingCopy::Orphan::holdsUnsavedWork() const {
    return state.modified && !state.replacing;
}

void WorkingCopy::Orphan::discard() {
    SqliteDb::removeFiles(path);
    if (lock) {
        lock->unlock();
    }
}

WorkingCopy::OrphanSearch WorkingCopy::findOrphans(const QString& tempDir) {
    OrphanSearch found;
    const QFileInfoList files =
        QDir(tempDir).entryInfoList({kPattern}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo& file : files) {
        Orphan orphan;
        orphan.path = file.absoluteFilePath();
        orphan.lock = std::make_unique<QLockFile>(lockPathOf(orphan.path));
        // Only a dead program's lock is taken over, however old a living one's is.
        orphan.lock->setStaleLockTime(0);
        if (!orphan.lock->tryLock(0)) {
            continue;  // its program is still running
        }
        try {
            readOrphan(orphan);
        } catch (const SqliteError& error) {
            found.unreadable.append(
                texts::recoveryFailed(QDir::toNativeSeparators(orphan.path), error.reason()));
            orphan.lock->unlock();
            continue;
        }
        found.orphans.push_back(std::move(orphan));
    }
    return found;
}

}  // namespace veskplan
