#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "base/configuration.h"
#include "base/settingsstore.h"
#include "controller/busyindicator.h"
#include "controller/filedialogs.h"
#include "controller/userport.h"
#include "history/bidhistory.h"
#include "history/layoutstore.h"

namespace veskplan {

// Bringing bid tabulations into the bid history from the windows. A file whose headings are not
// recognised asks which column gives which field, once: the confirmed layout is kept for its
// heading row and serves every later file with the same headings.
class HistoryImport {
public:
    // `settings` keep the chosen history; `config` names the master lists whose units a
    // tabulation may use; `dataDir` holds the default history and the confirmed layouts.
    HistoryImport(UserPort& port, BusyIndicator& busy, FileDialogs& dialogs,
                  SettingsStore& settings, const Configuration& config, QString dataDir);

    // The history the imports go into: the one chosen last, else the default.
    QString historyFile() const;
    QString defaultHistoryFile() const;
    QString layoutFile() const;

    // Asks for bid tabulations and imports them all or none, telling the user how many bids
    // came in or why none did.
    void importBidFiles();
    // Asks for another history file (one an agency shares, say) and keeps the choice.
    void chooseHistoryFile();

private:
    // The layout a file needs, nothing when its headings are recognised by name; asks when
    // neither they nor a kept layout serve. Throws Error for a file that cannot be read and
    // Cancelled when the user cancels.
    struct Cancelled {};
    std::optional<ColumnLayout> layoutFor(const QString& file, LayoutStore& store, bool& asked);

    UserPort& port_;
    BusyIndicator& busy_;
    FileDialogs& dialogs_;
    SettingsStore& settings_;
    const Configuration& config_;
    QString dataDir_;
};

}  // namespace veskplan
