#include "base/sqlitedb.h"

#include <sqlite3.h>

#include <QFile>
#include <QUrl>

#include "base/error.h"
#include "base/texts.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

namespace {

QString reasonOf(int code, const QString& sqliteMessage, int systemError) {
    // A write the system cut short for want of room is a full disk, however SQLite names it.
    if (isDiskFull(systemError)) {
        return texts::diskFull();
    }
    switch (code & 0xff) {
        case SQLITE_FULL:
            return texts::diskFull();
        case SQLITE_READONLY:
            if (code == SQLITE_READONLY_ROLLBACK || code == SQLITE_READONLY_RECOVERY) {
                return u"another program left an unfinished change in it"_s;
            }
            return u"the file or its folder cannot be written"_s;
        case SQLITE_CANTOPEN:
            return u"the file or its folder cannot be opened"_s;
        case SQLITE_NOTADB:
            return u"the file is not a database"_s;
        case SQLITE_CORRUPT:
            return u"the file is damaged"_s;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return u"another program is using the file"_s;
        case SQLITE_IOERR:
            return u"the disk could not be read or written"_s;
        default:
            return sqliteMessage;
    }
}

}  // namespace

SqliteError::SqliteError(int code, const QString& sqliteMessage, int systemError)
    : Error(reasonOf(code, sqliteMessage, systemError)),
      code_(code),
      sqliteMessage_(sqliteMessage) {}

bool SqliteError::isPrimaryKeyViolation() const {
    return code_ == SQLITE_CONSTRAINT_PRIMARYKEY || code_ == SQLITE_CONSTRAINT_UNIQUE;
}

SqliteDb::SqliteDb(const QString& path, Mode mode) {
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    QByteArray name = QFile::encodeName(path);
    if (mode == Mode::ReadOnly) {
        flags = SQLITE_OPEN_READONLY;
    } else if (mode == Mode::Snapshot) {
        flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
        name = "file:" + QUrl::toPercentEncoding(QFile::decodeName(name), "/") + "?immutable=1";
    }
    const int rc = sqlite3_open_v2(name.constData(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqliteError(rc, message);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
}

SqliteDb::~SqliteDb() {
    sqlite3_close_v2(db_);
}

void SqliteDb::fail() const {
    throw SqliteError(sqlite3_extended_errcode(db_), QString::fromUtf8(sqlite3_errmsg(db_)),
                      sqlite3_system_errno(db_));
}

void SqliteDb::exec(const char* sql) {
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        fail();
    }
}

SqliteStatement SqliteDb::prepare(const char* sql) {
    return SqliteStatement(db_, sql);
}

qint64 SqliteDb::lastInsertRowId() const {
    return sqlite3_last_insert_rowid(db_);
}

SqliteStatement::SqliteStatement(sqlite3* db, const char* sql) : db_(db) {
    const int rc = sqlite3_prepare_v2(db_, sql, -1, &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        throw SqliteError(sqlite3_extended_errcode(db_), QString::fromUtf8(sqlite3_errmsg(db_)));
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(stmt_);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : db_(other.db_), stmt_(other.stmt_) {
    other.stmt_ = nullptr;
}

SqliteStatement& SqliteStatement::bind(int index, const QString& text) {
    int rc;
    if (text.isNull()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else {
        const QByteArray utf8 = text.toUtf8();
        rc = sqlite3_bind_text(stmt_, index, utf8.constData(), static_cast<int>(utf8.size()),
                               SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK) {
        throw SqliteError(rc, QString::fromUtf8(sqlite3_errmsg(db_)));
    }
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, std::optional<double> value) {
    const int rc =
        value ? sqlite3_bind_double(stmt_, index, *value) : sqlite3_bind_null(stmt_, index);
    if (rc != SQLITE_OK) {
        throw SqliteError(rc, QString::fromUtf8(sqlite3_errmsg(db_)));
    }
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, qint64 value) {
    const int rc = sqlite3_bind_int64(stmt_, index, value);
    if (rc != SQLITE_OK) {
        throw SqliteError(rc, QString::fromUtf8(sqlite3_errmsg(db_)));
    }
    return *this;
}

bool SqliteStatement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    const int code = sqlite3_extended_errcode(db_);
    const QString message = QString::fromUtf8(sqlite3_errmsg(db_));
    const int systemError = sqlite3_system_errno(db_);
    sqlite3_reset(stmt_);
    throw SqliteError(code, message, systemError);
}

void SqliteStatement::run() {
    while (step()) {
    }
    reset();
}

void SqliteStatement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool SqliteStatement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

QString SqliteStatement::text(int column) const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    if (!data) {
        return QString();
    }
    return QString::fromUtf8(data, sqlite3_column_bytes(stmt_, column));
}

double SqliteStatement::real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

qint64 SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

int SqliteStatement::type(int column) const {
    return sqlite3_column_type(stmt_, column);
}

// Savepoints nest, so a transaction may run inside another one.
void SqliteDb::removeFiles(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        QFile::remove(path + QLatin1StringView(suffix));
    }
}

SqliteTransaction::SqliteTransaction(SqliteDb& db) : db_(db) {
    db_.exec("SAVEPOINT vesk");
}

SqliteTransaction::~SqliteTransaction() {
    if (!done_) {
        sqlite3_exec(db_.handle(), "ROLLBACK TO vesk; RELEASE vesk", nullptr, nullptr, nullptr);
    }
}

void SqliteTransaction::commit() {
    db_.exec("RELEASE vesk");
    done_ = true;
}

}  // namespace veskplan
