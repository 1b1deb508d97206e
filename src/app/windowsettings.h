#pragma once

#include "base/settingsstore.h"

class QMainWindow;
class QTableView;

namespace veskplan {

// What the window remembers between runs in the program's own settings: its size and place, and
// the widths of the grids' columns as the user left them.
class WindowSettings {
public:
    explicit WindowSettings(SettingsStore& settings) : settings_(settings) {}

    // Puts the window and the grids as they were left; a first run keeps their own sizes.
    void restore(QMainWindow& window, QTableView& master, QTableView& project) const;
    void save(const QMainWindow& window, const QTableView& master, const QTableView& project) const;

private:
    SettingsStore& settings_;
};

}  // namespace veskplan
