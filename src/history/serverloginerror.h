#pragma once

#include "base/error.h"

namespace veskplan {

// A server that wants a password the program has not got (libpq's password file holds none for
// it), or that refused the one the user typed: the window asks for it and tries again.
class ServerLoginError : public Error {
public:
    ServerLoginError(const QString& message, QString address, QString server, QString user,
                     bool refused)
        : Error(message),
          address_(std::move(address)),
          server_(std::move(server)),
          user_(std::move(user)),
          refused_(refused) {}

    // The address connected to (which holds no password).
    const QString& address() const { return address_; }
    // "HOST/DB", as messages name the history.
    const QString& server() const { return server_; }
    // The user the server was asked to let in.
    const QString& user() const { return user_; }
    // Whether a password was given and refused, rather than wanted.
    bool refused() const { return refused_; }

private:
    QString address_;
    QString server_;
    QString user_;
    bool refused_;
};

}  // namespace veskplan
