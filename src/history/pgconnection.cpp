#include "history/pgconnection.h"

#include <libpq-fe.h>

#include <QThread>
#include <map>
#include <mutex>
#include <optional>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// libpq's message, first line, without its "FATAL:" or "ERROR:" and without the server's
// address, which the caller names as the user knows it.
QString reasonOf(const char* message) {
    QString reason = QString::fromUtf8(message).section(u'\n', 0, 0).trimmed();
    for (const QString& prefix : {u"FATAL:"_s, u"ERROR:"_s}) {
        if (reason.startsWith(prefix)) {
            reason = reason.mid(prefix.size()).trimmed();
        }
    }
    static const QString failed = u" failed: "_s;
    if (reason.startsWith(u"connection to server"_s) && reason.contains(failed)) {
        reason = reason.mid(reason.indexOf(failed) + failed.size()).trimmed();
        reason.remove(u"FATAL:  "_s);
    }
    if (reason.startsWith(u"Connection refused"_s) || reason.startsWith(u"timeout expired"_s) ||
        reason.startsWith(u"No route to host"_s)) {
        reason = u"the server does not answer ("_s + reason + u")"_s;
    }
    return reason.isEmpty() ? u"the server gave no reason"_s : reason.left(500);
}

// The connections of each thread, that another thread may interrupt. A connection leaves before
// its cancel handle is freed, so that an interruption never uses a freed one.
std::mutex liveMutex;
std::multimap<QThread*, pg_cancel*> live;

ServerError interrupted() {
    return ServerError(u"the reading was cancelled"_s, "57014");
}

// Asks the server to stop the query running on the connection the handle is of; a query that
// has ended already is no failure.
void cancelOnServer(pg_cancel* cancel) {
    char reason[256];
    PQcancel(cancel, reason, int(sizeof reason));
}

}  // namespace

void PgResult::Clear::operator()(pg_result* result) const {
    PQclear(result);
}

PgResult::PgResult(pg_result* result) : result_(result) {}

int PgResult::rows() const {
    return PQntuples(result_.get());
}

bool PgResult::isNull(int row, int column) const {
    return PQgetisnull(result_.get(), row, column) != 0;
}

QByteArray PgResult::bytes(int row, int column, int maxBytes) const {
    if (row < 0 || row >= rows() || column < 0 || column >= PQnfields(result_.get())) {
        throw ServerError(u"the server's answer lacks a field"_s, {});
    }
    const int length = PQgetlength(result_.get(), row, column);
    if (length < 0 || length > maxBytes) {
        throw ServerError(u"the server answered a field longer than it can be"_s, {});
    }
    return QByteArray(PQgetvalue(result_.get(), row, column), length);
}

QString PgResult::text(int row, int column, int maxBytes) const {
    return QString::fromUtf8(bytes(row, column, maxBytes));
}

qint64 PgResult::integer(int row, int column) const {
    bool ok = false;
    const qint64 value = bytes(row, column, 24).toLongLong(&ok);
    if (!ok) {
        throw ServerError(u"the server answered a number that is none"_s, {});
    }
    return value;
}

double PgResult::real(int row, int column) const {
    bool ok = false;
    const double value = bytes(row, column, 40).toDouble(&ok);
    if (!ok) {
        throw ServerError(u"the server answered a number that is none"_s, {});
    }
    return value;
}

void PgConnection::Finish::operator()(pg_conn* conn) const {
    PQfinish(conn);
}

void PgConnection::FreeCancel::operator()(pg_cancel* cancel) const {
    PQfreeCancel(cancel);
}

PgConnection::PgConnection(const QString& address, const QString& password) {
    const QByteArray uri = address.toUtf8();
    const QByteArray secret = password.toUtf8();
    // The address's own connect_timeout, given after the default, wins over it. A password
    // typed by the user goes as a parameter of its own, never into the address.
    const char* keywords[] = {"connect_timeout",
                              "application_name",
                              "client_encoding",
                              "dbname",
                              secret.isEmpty() ? nullptr : "password",
                              nullptr};
    const char* values[] = {"5", "veskplan", "UTF8", uri.constData(), secret.constData(), nullptr};
    conn_.reset(PQconnectdbParams(keywords, values, 1));
    if (!conn_) {
        throw ServerError(u"out of memory"_s, {});
    }
    if (PQstatus(conn_.get()) != CONNECTION_OK) {
        using Login = ServerError::Login;
        const Login login = PQconnectionNeedsPassword(conn_.get()) ? Login::PasswordWanted
                            : !secret.isEmpty() && PQconnectionUsedPassword(conn_.get())
                                ? Login::PasswordRefused
                                : Login::Other;
        throw ServerError(lastError().reason(), {}, login, QString::fromUtf8(PQuser(conn_.get())));
    }
    cancel_.reset(PQgetCancel(conn_.get()));
    if (cancel_) {
        thread_ = QThread::currentThread();
        const std::lock_guard lock(liveMutex);
        live.emplace(thread_, cancel_.get());
    }
    checkInterrupted();
}

PgConnection::~PgConnection() {
    if (thread_) {
        const std::lock_guard lock(liveMutex);
        for (auto [at, end] = live.equal_range(thread_); at != end; ++at) {
            if (at->second == cancel_.get()) {
                live.erase(at);
                break;
            }
        }
    }
}

void PgConnection::interrupt(QThread* thread) {
    const std::lock_guard lock(liveMutex);
    thread->requestInterruption();
    for (auto [at, end] = live.equal_range(thread); at != end; ++at) {
        cancelOnServer(at->second);
    }
}

void PgConnection::checkInterrupted() const {
    if (QThread::currentThread()->isInterruptionRequested()) {
        throw interrupted();
    }
}

QString PgConnection::user() const {
    return QString::fromUtf8(PQuser(conn_.get()));
}

ServerError PgConnection::lastError(const pg_result* result) const {
    if (result) {
        const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
        return ServerError(reasonOf(PQresultErrorMessage(result)), state ? state : "");
    }
    return ServerError(reasonOf(PQerrorMessage(conn_.get())), {});
}

PgResult PgConnection::exec(const char* sql, const std::vector<QByteArray>& params) {
    checkInterrupted();
    std::vector<const char*> values;
    for (const QByteArray& param : params) {
        values.push_back(param.constData());
    }
    // Without parameters a command may be several, as a schema is.
    PgResult result(values.empty() ? PQexec(conn_.get(), sql)
                                   : PQexecParams(conn_.get(), sql, int(values.size()), nullptr,
                                                  values.data(), nullptr, nullptr, 0));
    const ExecStatusType status = PQresultStatus(result.result_.get());
    if (!result.result_ ||
        (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && status != PGRES_COPY_IN)) {
        throw lastError(result.result_.get());
    }
    if (status == PGRES_TUPLES_OK) {
        checkInterrupted();  // an answer that came as the reading was cancelled is not read
    }
    return result;
}

void PgConnection::eachRow(const char* sql, const std::vector<QByteArray>& params, qint64 maxRows,
                           const std::function<void(const PgResult&)>& take) {
    // Row by row as the server sends them: it goes on finding rows while these are read, and
    // the network, not this side, holds what is not read yet.
    checkInterrupted();
    std::vector<const char*> values;
    for (const QByteArray& param : params) {
        values.push_back(param.constData());
    }
    if (PQsendQueryParams(conn_.get(), sql, int(values.size()), nullptr, values.data(), nullptr,
                          nullptr, 0) != 1) {
        throw lastError();
    }
    if (PQsetSingleRowMode(conn_.get()) != 1) {
        // The whole answer would then come at once, unbounded: it is not read.
        if (cancel_) {
            cancelOnServer(cancel_.get());
        }
        while (pg_result* raw = PQgetResult(conn_.get())) {
            PQclear(raw);
        }
        throw ServerError(u"the server's answer could not be read row by row"_s, {});
    }
    qint64 rows = 0;
    std::optional<ServerError> failed;
    std::exception_ptr thrown;
    // Every answer is taken, the last one too, so that the connection is ready for the next
    // command; what is still on its way after a failure here is cancelled on the server.
    while (pg_result* raw = PQgetResult(conn_.get())) {
        const PgResult result(raw);
        if (failed || thrown) {
            continue;
        }
        const ExecStatusType status = PQresultStatus(raw);
        if (status == PGRES_SINGLE_TUPLE) {
            try {
                if (++rows > maxRows) {
                    throw ServerError(u"the server answered more rows than asked for"_s, {});
                }
                if (rows % 1024 == 0) {
                    checkInterrupted();
                }
                take(result);
            } catch (...) {
                thrown = std::current_exception();
                if (cancel_) {
                    cancelOnServer(cancel_.get());
                }
            }
        } else if (status != PGRES_TUPLES_OK) {
            failed = lastError(raw);
        }
    }
    if (thrown) {
        std::rethrow_exception(thrown);
    }
    if (failed) {
        throw *failed;
    }
    checkInterrupted();
}

void PgConnection::beginCopy(const char* sql) {
    exec(sql);
}

void PgConnection::sendCopy(const QByteArray& data) {
    if (PQputCopyData(conn_.get(), data.constData(), int(data.size())) != 1) {
        throw lastError();
    }
}

void PgConnection::endCopy() {
    if (PQputCopyEnd(conn_.get(), nullptr) != 1) {
        throw lastError();
    }
    std::optional<ServerError> failed;
    while (pg_result* raw = PQgetResult(conn_.get())) {
        const PgResult result(raw);
        if (PQresultStatus(raw) != PGRES_COMMAND_OK && !failed) {
            failed = lastError(raw);
        }
    }
    if (failed) {
        throw *failed;
    }
}

void PgConnection::abortCopy() {
    if (PQputCopyEnd(conn_.get(), "the import was given up") == 1) {
        while (pg_result* raw = PQgetResult(conn_.get())) {
            PQclear(raw);
        }
    }
}

}  // namespace veskplan
