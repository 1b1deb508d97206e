#pragma once

#include <QString>

#include "history/sessionpasswords.h"

namespace veskplan {

class ServerLoginError;
class UserPort;

// The passwords of bid history servers for this session. libpq's own password file serves
// first (libpq reads it itself); a server that wants a password it does not give is asked for
// once, and what the user types is kept in memory only, for the session.
class ServerLogins {
public:
    explicit ServerLogins(UserPort& port) : port_(port) {}

    SessionPasswords& passwords() { return passwords_; }

    // After `refusal` from a server: a password wanted is asked for, and true when the user gave
    // one (to try again with); a password refused is told, naming the server and the reason,
    // and forgotten, to be asked for the next time.
    bool answer(const ServerLoginError& refusal);

private:
    UserPort& port_;
    SessionPasswords passwords_;
};

}  // namespace veskplan
