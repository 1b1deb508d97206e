#pragma once

#include <QString>
#include <optional>

#include "base/error.h"

struct sqlite3;
struct sqlite3_stmt;

namespace veskplan {

// A failed SQLite call. `code` is the extended result code.
// A failure of SQLite. Its message is what went wrong in the user's words: a full disk, a file
// that cannot be written, a damaged file, a file another program is using; SQLite's own message
// for the rest.
class SqliteError : public Error {
public:
    // `systemError` is the operating system's error number behind an I/O failure, 0 otherwise.
    SqliteError(int code, const QString& sqliteMessage, int systemError = 0);
    int code() const { return code_; }
    bool isPrimaryKeyViolation() const;
    const QString& sqliteMessage() const { return sqliteMessage_; }
    QString reason() const { return message(); }

private:
    int code_;
    QString sqliteMessage_;
};

class SqliteStatement;

// One open SQLite database connection, closed when it goes.
class SqliteDb {
public:
    // Snapshot reads a file that nobody changes while it is open, creating nothing beside it
    // (no lock or shared-memory file), so that a file in a read-only folder opens too.
    enum class Mode { ReadOnly, Snapshot, ReadWriteCreate };

    // Opens defensively: no triggers or views run, the schema is not trusted, and the connection
    // cannot be used to corrupt the file through SQL.
    SqliteDb(const QString& path, Mode mode);
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    void exec(const char* sql);
    SqliteStatement prepare(const char* sql);
    qint64 lastInsertRowId() const;

    sqlite3* handle() const { return db_; }
    // Removes a database and the log, journal and index files beside it.
    static void removeFiles(const QString& path);

private:
    [[noreturn]] void fail() const;
    sqlite3* db_ = nullptr;
};

// A prepared statement, finalized when it goes. Parameters are bound by position (1-based).
class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, const char* sql);
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&&) = delete;
    SqliteStatement(const SqliteStatement&) = delete;

    SqliteStatement& bind(int index, const QString& text);  // a null QString binds NULL
    SqliteStatement& bind(int index, std::optional<double> value);
    SqliteStatement& bind(int index, qint64 value);

    // Steps once; true while a row is available.
    bool step();
    // Steps to the end and resets, for statements that return no rows.
    void run();
    void reset();

    bool isNull(int column) const;
    QString text(int column) const;  // NULL gives a null QString
    double real(int column) const;
    qint64 integer(int column) const;
    int type(
        int column) const;  // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB, SQLITE_NULL

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Begins a transaction (or a nested one) and rolls it back unless committed.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteDb& db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    void commit();

private:
    SqliteDb& db_;
    bool done_ = false;
};

}  // namespace veskplan
