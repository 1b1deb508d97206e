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
    // The working copy is what a recovery after a crash reads: every change is a whole
    // transaction in the log, and the log reaches the disk at each checkpoint.
    db->exec("PRAGMA journal_mode = WAL");
    db->exec("PRAGMA synchronous = NORMAL");
    projectschema::create(*db);
    db->exec("CREATE TABLE workstate (key TEXT PRIMARY KEY, value TEXT NOT NULL)");
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
    std::sort(rows_.begin(), rows_.end(), [this](const Row& a, const Row& b) {
        return recordLess(order_, a.record, b.record);
    });
}

int RecordStore::rowOf(Bookmark id) const {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].id == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int RecordStore::insertionRow(const ProjectRecord& record) const {
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), record,
                                     [this](const Row& row, const ProjectRecord& r) {
                                         return recordLess(order_, row.record, r);
                                     });
    return static_cast<int>(it - rows_.begin());
}

void RecordStore::setPosition(int position, bool deleted) {
    const int before = currentRow();
    position_ = position;
    currentDeleted_ = deleted;
    const int after = currentRow();
    if (after != before && !quiet()) {
        Q_EMIT currentRowChanged(after);
    }
}

void RecordStore::setIndex(IndexOrder order) {
    if (order == order_) {
        return;
    }
    const Bookmark keep = hasCurrent() ? rows_[static_cast<size_t>(position_)].id : 0;
    resetting([&] {
        order_ = order;
        sortRows();
        if (keep != 0) {
            position_ = rowOf(keep);
        }
    });
}

void RecordStore::moveFirst() {
    setPosition(0);
}

void RecordStore::moveLast() {
    setPosition(recordCount() - 1);
}

void RecordStore::moveNext() {
    if (currentDeleted_) {
        setPosition(position_);
        return;
    }
    setPosition(std::min(position_ + 1, recordCount()));
}

void RecordStore::movePrevious() {
    setPosition(std::max(position_ - 1, -1));
}

int RecordStore::currentRow() const {
    if (currentDeleted_ || position_ < 0 || position_ >= recordCount()) {
        return -1;
    }
    return position_;
}

void RecordStore::setCurrentRow(int row) {
    if (row < 0 || row >= recordCount()) {
        throw std::out_of_range("record row out of range");
    }
    setPosition(row);
}

const ProjectRecord& RecordStore::current() const {
    const int row = currentRow();
    if (row < 0) {
        throw std::logic_error("no current record");
    }
    return rows_[static_cast<size_t>(row)].record;
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

RecordStore::Bookmark RecordStore::bookmark() const {
    const int row = currentRow();
    return row < 0 ? 0 : rows_[static_cast<size_t>(row)].id;
}

bool RecordStore::setBookmark(Bookmark bookmark) {
    const int row = rowOf(bookmark);
    if (row < 0) {
        return false;
    }
    setPosition(row);
    return true;
}

void RecordStore::append(const ProjectRecord& record) {
    auto insert = db_->prepare(projectschema::kInsertRow);
    projectschema::bindRow(insert, record);
    runChange(insert);
    Row row{db_->lastInsertRowId(), record};
    const int at = insertionRow(record);
    const Bookmark keep = bookmark();
    if (!quiet()) {
        Q_EMIT rowAboutToBeInserted(at);
    }
    rows_.insert(rows_.begin() + at, std::move(row));
    lastModified_ = rows_[static_cast<size_t>(at)].id;
    if (keep != 0) {
        position_ = rowOf(keep);
    } else if (position_ >= at) {
        ++position_;  // past the end stays past the end; a deleted row's successor moves down
    }
    if (!quiet()) {
        Q_EMIT rowInserted();
    }
}

void RecordStore::updateCurrent(const ProjectRecord& record) {
    const int row = currentRow();
    if (row < 0) {
        throw std::logic_error("no current record");
    }
    Row& current = rows_[static_cast<size_t>(row)];
    auto update = db_->prepare(
        "UPDATE veskdata SET \"Item Number\" = ?, \"Cat\" = ?, \"Description\" = ?, "
        "\"Units\" = ?, \"Quantity\" = ? WHERE rowid = ?");
    projectschema::bindRow(update, record);
    update.bind(6, current.id);
    runChange(update);
    lastModified_ = current.id;
    const bool keyChanged = current.record.itemNumber != record.itemNumber ||
                            current.record.cat != record.cat ||
                            current.record.description != record.description;
    if (!keyChanged) {
        current.record = record;
        if (!quiet()) {
            Q_EMIT rowChanged(row);
        }
        return;
    }
    const Bookmark id = current.id;
    resetting([&] {
        current.record = record;
        sortRows();
        position_ = rowOf(id);
    });
}

void RecordStore::deleteCurrent() {
    const int row = currentRow();
    if (row < 0) {
        throw std::logic_error("no current record");
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
    setPosition(row, true);
}

void RecordStore::deleteAll() {
    db_->exec("DELETE FROM veskdata");
    resetting([&] {
        rows_.clear();
        position_ = 0;
        currentDeleted_ = false;
    });
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
    resetting([&] {
        reload();
        position_ = 0;
        currentDeleted_ = false;
        lastModified_ = 0;
    });
}

void RecordStore::rewriteItemNumbers(
    const std::function<QString(const ProjectRecord&)>& newItemNumber) {
    const Bookmark keep = bookmark();
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
        lastModified_ = rows_[changes.back().first].id;
        sortRows();
        if (keep != 0) {
            position_ = rowOf(keep);
        }
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
    if (order != order_) {
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
            const Bookmark keep = store_.bookmark();
            store_.reload();
            store_.position_ = keep != 0 ? store_.rowOf(keep) : 0;
            store_.currentDeleted_ = false;
        } catch (...) {
            // Re-reading failed too: the memory copy stays as it is, which is all that is left.
        }
    }
    if (outermost) {
        Q_EMIT store_.resetDone();
        Q_EMIT store_.currentRowChanged(store_.currentRow());
    }
}

}  // namespace veskplan
