#pragma once

#include <QDate>
#include <QString>

namespace veskplan {

// What copying a server's history into a file did: how many bids, from which history ("HOST/DB").
struct ServerCopy {
    int bids = 0;
    QString server;

    // As the user is told, naming the file copied into.
    QString text(const QString& file) const;
};

// The bids of the history at `address` (connecting with `password` when given, else libpq's
// password file), or a window of them (let from `from`, any date when invalid; in `region`, every
// one when empty), copied into a new history file for working away from the network. Throws
// Error naming the file (one that exists already is refused before connecting) or the server,
// ServerLoginError for a password wanted or refused; a copy that fails leaves no file behind.
ServerCopy copyServerHistory(const QString& address, const QString& password, const QString& file,
                             const QDate& from, const QString& region);

}  // namespace veskplan
