#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace veskplan {

class MainController;

// What the main window offers in its menus, in menu order: each command's object name (the name
// users and tests know it by), its caption with its access key, its keys, whether it needs
// items in the project, and what it runs. The window builds its menus from this, connects each
// command to its run and enables the guarded commands by it; the keys a user types and what each
// command does are checked here, without a display.
struct MenuEntry {
    enum class Kind { Command, Separator, RecentProjects, Undo, Redo };
    Kind kind = Kind::Command;
    QString name;
    QString caption;
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
    QKeySequence ownKey;      // a key of this program's own, where the platform has none
    bool needsItems = false;  // enabled only while the project holds items
    // The submenu of its menu that a command goes into (its object name and caption); none
    // when empty.
    QString submenu;
    QString submenuCaption;
    std::function<void(MainController&)> run;  // a command's; the other kinds have their own
};

struct WindowMenu {
    QString name;
    QString caption;
    std::vector<MenuEntry> entries;
};

const std::vector<WindowMenu>& windowMenus();

// The entry of that name; throws std::out_of_range for a name no menu has.
const MenuEntry& menuEntry(const QString& name);

// The commands that need items in the project.
QStringList guardedCommandNames();

// The keys of a command: the platform's for its standard key and, where the platform has none
// (Save As and Quit on some), the ones desktop users know from elsewhere; then its own key.
QList<QKeySequence> shortcutsOf(const MenuEntry& entry, const QList<QKeySequence>& platformKeys);
QList<QKeySequence> shortcutsOf(const MenuEntry& entry);

// The letter after the single "&" of a caption, upper-cased; none without one.
QChar accessKey(const QString& caption);

}  // namespace veskplan
