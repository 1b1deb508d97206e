#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "base/error.h"

struct pg_conn;
struct pg_result;
struct pg_cancel;
class QThread;

namespace veskplan {

// A failure of the server or of what it answered, with the reason alone; the caller names the
// history.
class ServerError : public Error {
public:
    // What a refused connection lacked, where the user can mend it by typing a password.
    enum class Login { Other, PasswordWanted, PasswordRefused };

    ServerError(const QString& reason, QByteArray state, Login login = Login::Other,
                QString user = {})
        : Error(reason), state_(std::move(state)), login_(login), user_(std::move(user)) {}
    const QString& reason() const { return message(); }
    // The server's SQLSTATE ("42501": not allowed); empty when the connection failed.
    const QByteArray& state() const { return state_; }
    Login login() const { return login_; }
    // The user a refused connection asked to be let in as.
    const QString& user() const { return user_; }

private:
    QByteArray state_;
    Login login_;
    QString user_;
};

// One answer of the server, freed with it. Every field read is bounded: a server that answers
// more than a field can be for is an error, not an allocation.
class PgResult {
public:
    explicit PgResult(pg_result* result);

    int rows() const;
    bool isNull(int row, int column) const;
    // The field's text; throws ServerError for a field longer than `maxBytes` or out of the
    // result.
    QByteArray bytes(int row, int column, int maxBytes = 65536) const;
    QString text(int row, int column, int maxBytes = 65536) const;
    qint64 integer(int row, int column) const;
    double real(int row, int column) const;

private:
    friend class PgConnection;
    struct Clear {
        void operator()(pg_result* result) const;
    };
    std::unique_ptr<pg_result, Clear> result_;
};

// A connection to a PostgreSQL server, closed with it. The connection string may carry a
// password: it is kept by libpq only and never shown.
class PgConnection {
public:
    // Connects to a `postgresql://` address, within its connect_timeout (5 s unless it names
    // one), with `password` when given (else libpq's password file). Throws ServerError with the
    // reason (libpq's own words, first line) when it cannot.
    explicit PgConnection(const QString& address, const QString& password = {});
    ~PgConnection();
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    // Stops the server work of `thread`'s connections, from any thread: the query each runs is
    // cancelled on the server, and none of them runs another. Each then throws ServerError with
    // the state "57014". A query that was on its way to the server as this was called may run
    // to its end; its answer is then refused all the same.
    static void interrupt(QThread* thread);

    // The user the server knows this connection as.
    QString user() const;

    // Runs a command; parameters are sent apart from it, as text. Throws ServerError with the
    // server's reason when it fails.
    PgResult exec(const char* sql, const std::vector<QByteArray>& params = {});
    // Hands each answer row to `take` as it arrives, as a result of that one row (row 0), one
    // row in memory at a time; throws ServerError after `maxRows` rows.
    void eachRow(const char* sql, const std::vector<QByteArray>& params, qint64 maxRows,
                 const std::function<void(const PgResult&)>& take);

    // COPY ... FROM STDIN: begin, send chunks, end. A failure of the data (or of the caller,
    // who then calls abortCopy) leaves the transaction failed.
    void beginCopy(const char* sql);
    void sendCopy(const QByteArray& data);
    void endCopy();
    void abortCopy();

private:
    // The reason of the last failure, in libpq's words.
    ServerError lastError(const pg_result* result = nullptr) const;

    // Throws when this connection's thread has been interrupted.
    void checkInterrupted() const;

    struct Finish {
        void operator()(pg_conn* conn) const;
    };
    struct FreeCancel {
        void operator()(pg_cancel* cancel) const;
    };
    std::unique_ptr<pg_conn, Finish> conn_;
    std::unique_ptr<pg_cancel, FreeCancel> cancel_;
    QThread* thread_ = nullptr;
};

}  // namespace veskplan
