#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <vector>

#include "files/recoverystate.h"
#include "project/projectrecord.h"

namespace veskplan {

class RecordStore;

// The working copy of the open project: a file of its own in the temporary folder for every
// running copy of the program, locked for as long as that copy runs and removed when it ends
// cleanly. Copies whose program is no longer running (a crash, a kill, a power cut) keep what
// their project held after its last completed change, and are offered back at the next start.
class WorkingCopy {
public:
    // Creates and locks a new working copy in `tempDir`. Throws Error naming the folder.
    explicit WorkingCopy(const QString& tempDir);
    // Removes the file and its lock; the store over it must be closed first.
    ~WorkingCopy();
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;

    const QString& path() const { return path_; }
    // The empty project table in the file. Throws Error.
    std::unique_ptr<RecordStore> createStore() const;

    // A working copy left behind, locked by the caller while it looks at it.
    struct Orphan {
        QString path;
        std::unique_ptr<QLockFile> lock;
        std::vector<ProjectRecord> items;
        RecoveryState state;
        QDateTime changed;
        // Whether it holds anything its program had not saved (not so a copy left while another
        // project was being put in place: it holds parts of two).
        bool holdsUnsavedWork() const;
        // Removes the file, its log and its lock.
        void discard();
    };
    struct OrphanSearch {
        std::vector<Orphan> orphans;  // oldest first
        QStringList unreadable;       // a message for each copy that could not be read
    };
    // The working copies in `tempDir` whose program is no longer running. A copy that cannot be
    // read is left alone.
    static OrphanSearch findOrphans(const QString& tempDir);

    // The lock file beside a working copy.
    static QString lockPathOf(const QString& path);

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace veskplan
