#include "project/recordstore.h"

#include <QFile>
#include <algorithm>
#include <stdexcept>

#include "base/sqlitedb.h"
#include "project/projectschema.h"

namespace veskplan {

namespace {

// Runs an insert or update; a repeated key becomes the store's own error.
void runChange(SqliteStatement& statement) {
    try {
        statement.run();
    } catch (const SqliteError& error) {
        if (error.isPrimaryKeyViolation()) {
            throw DuplicateKeyError();
        }
        throw;
    }
}

}  // namespace

std::unique_ptr<RecordStore> RecordStore::create(const QString& path) {
    SqliteDb::removeFiles(path);
    auto db = std::make_unique<SqliteDb>(path, SqliteDb::Mode::ReadWriteCreate);
    // An empty working copy holds nothing to recover, so it is made without waiting for the
    // disk; this is most of the program's start on a slow disk.
    db->exec("PRAGMA synchronous = OFF");
    db->exec("PRAGMA journal_mode = WAL");
    projectschema::create(*db);
    db->exec("CREATE TABLE workstate (key TEXT PRIMARY KEY, value TEXT NOT NULL)");
    // From the first change on, the working copy is what a recovery after a crash reads: every
    // change is a whole transaction in the log, and the log reaches the disk at each checkpoint.
    db->exec("PRAGMA synchronous = NORMAL");
    return std::unique_ptr<RecordStore>(new RecordStore(path, std::move(db)));
}

RecordStore::RecordStore(QString path, std::unique_ptr<SqliteDb> db)
    : path_(std::move(path)), db_(std::move(db)) {
    reload();
}

RecordStore::~RecordStore() = default;

void RecordStore::reload() {
    rows_.clear();
    auto select = db_->prepare(
        "SELECT rowid, \"Item Number\", \"Cat\", \"Description\", \"Units\", \"Quantity\" "
        "FROM veskdata");
    while (select.step()) {
        rows_.push_back(Row{select.integer(0), projectschema::readRow(select, 1)});
    }
    sortRows();
}

void RecordStore::sortRows() {
    std::sort(rows_.begin(), rows_.end(), [](const Row& a, const Row& b) {
        return recordLess(IndexOrder::PrimaryKey, a.record, b.record);
    });
}

int RecordStore::rowOf(qint64 id) const {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].id == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int RecordStore::insertionRow(const ProjectRecord& record) const {
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), record,
                                     [](const Row& row, const ProjectRecord& r) {
                                         return recordLess(IndexOrder::PrimaryKey, row.record, r);
                                     });
    return static_cast<int>(it - rows_.begin());
}

int RecordStore::rowOfKey(const ProjectRecord& record) const {
    for (size_t i = 0; i < rows_.size(); ++i) {
        const ProjectRecord& r = rows_[i].record;
        if (r.cat == record.cat && r.itemNumber == record.itemNumber &&
            r.description == record.description) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int RecordStore::append(const ProjectRecord& record) {
    auto insert = db_->prepare(projectschema::kInsertRow);
    projectschema::bindRow(insert, record);
    runChange(insert);
    const int at = insertionRow(record);
    if (!quiet()) {
        Q_EMIT rowAboutToBeInserted(at);
    }
    rows_.insert(rows_.begin() + at, Row{db_->lastInsertRowId(), record});
    if (!quiet()) {
        Q_EMIT rowInserted();
    }
    return at;
}

int RecordStore::update(int row, const ProjectRecord& record) {
    if (!isRow(row)) {
        throw std::out_of_range("record row out of range");
    }
    Row& changed = rows_[static_cast<size_t>(row)];
    auto update = db_->prepare(
        "UPDATE veskdata SET \"Item Number\" = ?, \"Cat\" = ?, \"Description\" = ?, "
        "\"Units\" = ?, \"Quantity\" = ? WHERE rowid = ?");
    projectschema::bindRow(update, record);
    update.bind(6, changed.id);
    runChange(update);
    const bool keyChanged = changed.record.itemNumber != record.itemNumber ||
                            changed.record.cat != record.cat ||
                            changed.record.description != record.description;
    if (!keyChanged) {
        changed.record = record;
        if (!quiet()) {
            Q_EMIT rowChanged(row);
        }
        return row;
    }
    const qint64 id = changed.id;
    resetting([&] {
        changed.record = record;
        sortRows();
    });
    return rowOf(id);
}

void RecordStore::remove(int row) {
    if (!isRow(row)) {
        throw std::out_of_range("record row out of range");
    }
    auto remove = db_->prepare("DELETE FROM veskdata WHERE rowid = ?");
    remove.bind(1, rows_[static_cast<size_t>(row)].id);
    remove.run();
    if (!quiet()) {
        Q_EMIT rowAboutToBeRemoved(row);
    }
    rows_.erase(rows_.begin() + row);
    if (!quiet()) {
        Q_EMIT rowRemoved();
    }
}

void RecordStore::deleteAll() {
    db_->exec("DELETE FROM veskdata");
    resetting([&] { rows_.clear(); });
}

void RecordStore::replaceAll(const std::vector<ProjectRecord>& records) {
    {
        SqliteTransaction transaction(*db_);
        db_->exec("DELETE FROM veskdata");
        auto insert = db_->prepare(projectschema::kInsertRow);
        for (const ProjectRecord& record : records) {
            projectschema::bindRow(insert, record);
            runChange(insert);
        }
        transaction.commit();
    }
    resetting([&] { reload(); });
}

void RecordStore::rewriteItemNumbers(
    const std::function<QString(const ProjectRecord&)>& newItemNumber) {
    std::vector<std::pair<size_t, QString>> changes;
    for (size_t i = 0; i < rows_.size(); ++i) {
        QString number = newItemNumber(rows_[i].record);
        if (number != rows_[i].record.itemNumber) {
            changes.emplace_back(i, std::move(number));
        }
    }
    if (changes.empty()) {
        return;
    }
    {
        SqliteTransaction transaction(*db_);
        auto update = db_->prepare("UPDATE veskdata SET \"Item Number\" = ? WHERE rowid = ?");
        for (const auto& [row, number] : changes) {
            update.bind(1, number).bind(2, rows_[row].id);
            runChange(update);
        }
        transaction.commit();
    }
    resetting([&] {
        for (auto& [row, number] : changes) {
            rows_[row].record.itemNumber = std::move(number);
        }
        sortRows();
    });
}

void RecordStore::writeState(const std::vector<std::pair<QString, QString>>& values) {
    SqliteTransaction transaction(*db_);
    auto write = db_->prepare("INSERT OR REPLACE INTO workstate (key, value) VALUES (?, ?)");
    for (const auto& [key, value] : values) {
        write.bind(1, key).bind(2, value.isNull() ? QStringLiteral("") : value);
        write.run();
    }
    transaction.commit();
}

std::vector<ProjectRecord> RecordStore::records(IndexOrder order) const {
    std::vector<ProjectRecord> result;
    result.reserve(rows_.size());
    for (const Row& row : rows_) {
        result.push_back(row.record);
    }
    if (order != IndexOrder::PrimaryKey) {
        sortRecords(result, order);
    }
    return result;
}

RecordStore::Batch::Batch(RecordStore& store) : store_(store) {
    transaction_.emplace(*store_.db_);
    if (store_.batchDepth_++ == 0) {
        Q_EMIT store_.aboutToReset();
    }
}

void RecordStore::Batch::commit() {
    transaction_->commit();
    committed_ = true;
}

RecordStore::Batch::~Batch() {
    const bool outermost = --store_.batchDepth_ == 0;
    if (!committed_) {
        transaction_.reset();  // rolls back
        try {
            store_.reload();
        } catch (...) {
            // Re-reading failed too: the memory copy stays as it is, which is all that is left.
        }
    }
    if (outermost) {
        Q_EMIT store_.resetDone();
    }
}

}  // namespace veskplan
