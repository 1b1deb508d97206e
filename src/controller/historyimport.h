#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "base/configuration.h"
#include "base/settingsstore.h"
#include "controller/busyindicator.h"
#include "controller/filedialogs.h"
#include "controller/serverlogins.h"
#include "controller/userport.h"
#include "history/bidhistory.h"
#include "history/layoutstore.h"

namespace veskplan {

// Bringing bid tabulations into the bid history from the windows, and choosing that history: a
// file, or the agency's history on a server. A file whose headings are not recognised asks which
// column gives which field, once: the confirmed layout is kept for its heading row and serves
// every later file with the same headings. The server chosen is kept in the settings, its
// password never: libpq's password file serves, or the user is asked once a session.
class HistoryImport {
public:
    // `settings` keep the chosen history; `config` names the master lists whose units a
    // tabulation may use; `dataDir` holds the default history and the confirmed layouts.
    HistoryImport(UserPort& port, BusyIndicator& busy, FileDialogs& dialogs,
                  SettingsStore& settings, const Configuration& config, QString dataDir);

    // The history the imports go into: the one chosen last (a file or a server's address),
    // else the default.
    QString historyFile() const;
    QString defaultHistoryFile() const;
    QString layoutFile() const;

    // Asks for bid tabulations and imports them all or none, telling the user how many bids
    // came in or why none did.
    void importBidFiles();
    // Asks for another history file (one an agency shares, say) and keeps the choice.
    void chooseHistoryFile();
    // Asks for a server's host, port, database, user and TLS mode, proposing the ones chosen
    // last, and keeps its address as the history; false when the user cancelled.
    bool connectToServer();
    // What Connect to Server asks, proposing the server chosen last.
    FormRequest serverForm() const;
    // Asks for a window of the server's bids (from a letting date, in a region) and a new file,
    // and copies them into it for working away from the network.
    void copyServerHistory();

    // The passwords typed this session, which every connection to a server is given.
    ServerLogins& logins() { return logins_; }

private:
    // The layout a file needs, nothing when its headings are recognised by name; asks when
    // neither they nor a kept layout serve. Throws Error for a file that cannot be read and
    // Cancelled when the user cancels.
    struct Cancelled {};
    std::optional<ColumnLayout> layoutFor(const QString& file, LayoutStore& store, bool& asked);
    // Runs `work` beside the window, the user told what it is `doing` and able to cancel it,
    // with the password kept for `address` (none: libpq's password file serves), asking for one
    // when the server wants it; false when cancelled, or told why it could not be done.
    bool withLogin(const QString& address, const QString& doing,
                   const std::function<void(const QString&)>& work);
    // Imports into the history on a server; the reports, nothing when told why not.
    std::optional<std::vector<ImportReport>> importToServer(
        const QString& address, const std::vector<BidHistory::Source>& sources,
        const KnownUnits& units);

    UserPort& port_;
    BusyIndicator& busy_;
    FileDialogs& dialogs_;
    SettingsStore& settings_;
    const Configuration& config_;
    QString dataDir_;
    ServerLogins logins_;
};

}  // namespace veskplan
