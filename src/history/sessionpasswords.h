#pragma once

#include <QString>
#include <map>
#include <mutex>

namespace veskplan {

// The passwords the user typed this session, by the server address they open, in memory only:
// never written to a file, the settings or a log. The thread that prices reads them while the
// window's thread may add one.
class SessionPasswords {
public:
    // The password kept for an address; empty when there is none (libpq's password file serves).
    QString find(const QString& address) const;
    void remember(const QString& address, const QString& password);
    void forget(const QString& address);

private:
    mutable std::mutex mutex_;
    std::map<QString, QString> passwords_;
};

}  // namespace veskplan
