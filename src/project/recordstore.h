#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "base/error.h"
#include "base/sqlitedb.h"
#include "project/projectrecord.h"

namespace veskplan {

// A save refused because the record would repeat the table's primary key.
class DuplicateKeyError : public Error {
public:
    DuplicateKeyError()
        : Error(QStringLiteral(
              "an item of the same category, number and description is in the project already")) {}
};

// The project item table of the working database, its rows in the working order ("PrimaryKey")
// and addressed by row and by key; any other order is a reader's (records(), a view's sort).
// Every change is written to the file at once; an in-memory copy serves reads and the grid. Signals
// let a grid model follow every change. Which row anybody looks at is theirs to keep: the store has
// no cursor.
class RecordStore : public QObject {
    Q_OBJECT

public:
    // Creates an empty table in a new file at `path`, replacing whatever is there. The file is
    // written durably (a write-ahead log synced at each checkpoint), so that a crash or a power
    // cut leaves the last completed change in it. Throws SqliteError.
    static std::unique_ptr<RecordStore> create(const QString& path);
    ~RecordStore() override;

    const QString& path() const { return path_; }

    int recordCount() const { return static_cast<int>(rows_.size()); }
    bool isRow(int row) const { return row >= 0 && row < recordCount(); }
    const ProjectRecord& record(int row) const { return rows_[static_cast<size_t>(row)].record; }

    // The row of the record with the same key (category, item number, description), or -1.
    int rowOfKey(const ProjectRecord& record) const;

    // Adds a record and returns its row. Throws DuplicateKeyError when the key is taken,
    // SqliteError for other failures; nothing changes then.
    int append(const ProjectRecord& record);
    // Replaces the fields of the record at `row` and returns its row afterwards (a changed key
    // may move it). Throws as append does.
    int update(int row, const ProjectRecord& record);
    void remove(int row);
    // Removes every row.
    void deleteAll();
    // Replaces the whole table in one transaction; on failure the table is as it was.
    void replaceAll(const std::vector<ProjectRecord>& records);

    // Gives every row the item number the function returns for it, in one transaction, and
    // re-orders once.
    void rewriteItemNumbers(const std::function<QString(const ProjectRecord&)>& newItemNumber);

    // Named values kept beside the table in the same file (what a recovery needs besides the
    // items). Writing throws SqliteError.
    void writeState(const std::vector<std::pair<QString, QString>>& values);

    // The records sorted in `order`.
    std::vector<ProjectRecord> records(IndexOrder order) const;

    // Groups many changes in one transaction; the grid hears one reset at the end instead of
    // a signal per row. On an exception the transaction is rolled back and the rows re-read.
    class Batch {
    public:
        explicit Batch(RecordStore& store);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        void commit();

    private:
        RecordStore& store_;
        std::optional<SqliteTransaction> transaction_;
        bool committed_ = false;
    };

Q_SIGNALS:
    void aboutToReset();
    void resetDone();
    void rowAboutToBeInserted(int row);
    void rowInserted();
    void rowAboutToBeRemoved(int row);
    void rowRemoved();
    void rowChanged(int row);

private:
    struct Row {
        qint64 id = 0;  // the table's rowid
        ProjectRecord record;
    };

    explicit RecordStore(QString path, std::unique_ptr<SqliteDb> db);
    void reload();
    void sortRows();
    int rowOf(qint64 id) const;
    int insertionRow(const ProjectRecord& record) const;
    bool quiet() const { return batchDepth_ > 0; }
    // Makes a change that may reorder every row: the grid hears one reset around it (unless a
    // batch is open).
    template <typename Change>
    void resetting(Change&& change) {
        if (!quiet()) {
            Q_EMIT aboutToReset();
        }
        change();
        if (!quiet()) {
            Q_EMIT resetDone();
        }
    }

    QString path_;
    std::unique_ptr<SqliteDb> db_;
    std::vector<Row> rows_;
    int batchDepth_ = 0;
};

}  // namespace veskplan
