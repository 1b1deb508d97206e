#include "controller/windowmenus.h"

#include <stdexcept>

#include "controller/controllertexts.h"
#include "controller/maincontroller.h"
#include "export/exportformat.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

namespace {

using Kind = MenuEntry::Kind;
using Key = QKeySequence;
using Run = std::function<void(MainController&)>;

MenuEntry entry(Kind kind, const QString& name, const QString& caption,
                Key::StandardKey key = Key::UnknownKey) {
    MenuEntry made;
    made.kind = kind;
    made.name = name;
    made.caption = caption;
    made.standardKey = key;
    return made;
}

MenuEntry command(const QString& name, const QString& caption, Run run,
                  Key::StandardKey key = Key::UnknownKey) {
    MenuEntry made = entry(Kind::Command, name, caption, key);
    made.run = std::move(run);
    return made;
}

// A command that needs items in the project.
MenuEntry guarded(const QString& name, const QString& caption, Run run,
                  Key::StandardKey key = Key::UnknownKey) {
    MenuEntry made = command(name, caption, std::move(run), key);
    made.needsItems = true;
    return made;
}

MenuEntry withOwnKey(MenuEntry made, const Key& key) {
    made.ownKey = key;
    return made;
}

// File > Bid History: the agency's history on a server.
MenuEntry serverCommand(const QString& name, const QString& caption, Run run) {
    MenuEntry made = command(name, caption, std::move(run));
    made.submenu = u"mnuFileHistory"_s;
    made.submenuCaption = u"Bid &History"_s;
    return made;
}

const MenuEntry kSeparator = entry(Kind::Separator, {}, {});

// One command a format, in the order of the format table.
std::vector<MenuEntry> exportEntries() {
    std::vector<MenuEntry> entries;
    for (const ExportFormat& format : exportFormats()) {
        entries.push_back(
            guarded(format.menuName, format.menuCaption,
                    [id = format.id](MainController& c) { c.exports().exportAs(id); }));
    }
    return entries;
}

}  // namespace

const std::vector<WindowMenu>& windowMenus() {
    static const std::vector<WindowMenu> menus{
        {u"mnuFile"_s,
         u"&File"_s,
         {command(
              u"mnuFileNew"_s, u"&New Project"_s, [](MainController& c) { c.files().newProject(); },
              Key::New),
          command(
              u"mnuFileOpen"_s, u"&Open Project..."_s, [](MainController& c) { c.openProject(); },
              Key::Open),
          entry(Kind::RecentProjects, u"mnuFileRecent"_s, u"&Recent Projects"_s), kSeparator,
          guarded(
              u"mnuFileSave"_s, u"&Save Project"_s, [](MainController& c) { c.files().save(); },
              Key::Save),
          guarded(
              u"mnuFileSaveas"_s, u"Save Project &As..."_s,
              [](MainController& c) { c.files().saveAs(); }, Key::SaveAs),
          command(
              u"mnuFilePrint"_s, u"&Print Quantity Table..."_s,
              [](MainController& c) { c.printing().run(); }, Key::Print),
          command(u"mnuFilePdf"_s, u"Export &Quantity Table as PDF..."_s,
                  [](MainController& c) { c.printing().exportPdf(); }),
          kSeparator,
          command(u"mnuFileImportQuantities"_s, u"Import Q&uantities..."_s,
                  [](MainController& c) { c.quantityImport().importFiles(); }),
          command(u"mnuFileCompare"_s, u"Co&mpare with Project..."_s,
                  [](MainController& c) { c.compareWithProject(); }),
          command(u"mnuFileImportBids"_s, u"&Import Bid History..."_s,
                  [](MainController& c) { c.importBidHistory(); }),
          command(u"mnuFileBidHistory"_s, u"Choose &Bid History File..."_s,
                  [](MainController& c) { c.chooseBidHistory(); }),
          serverCommand(u"mnuFileServer"_s, u"&Connect to Server..."_s,
                        [](MainController& c) { c.connectToServer(); }),
          serverCommand(u"mnuFileServerCopy"_s, u"Cop&y Server History to File..."_s,
                        [](MainController& c) { c.historyImport().copyServerHistory(); }),
          kSeparator,
          command(
              u"mnuFileExit"_s, u"E&xit"_s, [](MainController& c) { c.exit(); }, Key::Quit)}},
        {u"mnuEdit"_s,
         u"&Edit"_s,
         {entry(Kind::Undo, u"mnuEditUndo"_s, texts::undoPrefix(), Key::Undo),
          entry(Kind::Redo, u"mnuEditRedo"_s, texts::redoPrefix(), Key::Redo), kSeparator,
          command(
              u"mnuEditFind"_s, u"&Find"_s,
              [](MainController& c) { c.browsing().goToDescriptionSearch(); }, Key::Find),
          command(
              u"mnuEditFindNext"_s, u"Find &Next"_s,
              [](MainController& c) { c.browsing().findNext(); }, Key::FindNext),
          command(
              u"mnuEditFindPrev"_s, u"Find &Previous"_s,
              [](MainController& c) { c.browsing().findPrevious(); }, Key::FindPrevious),
          kSeparator,
          command(u"mnuEditCheck"_s, u"&Check Against Master List..."_s,
                  [](MainController& c) { c.catalogue().check(); }),
          withOwnKey(command(u"mnuEditEstimate"_s, u"Engineer's &Estimate..."_s,
                             [](MainController& c) { c.showEstimate(); }),
                     Key(Qt::CTRL | Qt::Key_E))}},
        {u"mnuExp"_s, u"E&xport"_s, exportEntries()}};
    return menus;
}

const MenuEntry& menuEntry(const QString& name) {
    for (const WindowMenu& menu : windowMenus()) {
        for (const MenuEntry& entry : menu.entries) {
            if (entry.name == name) {
                return entry;
            }
        }
    }
    throw std::out_of_range("no menu entry " + name.toStdString());
}

QStringList guardedCommandNames() {
    QStringList names;
    for (const WindowMenu& menu : windowMenus()) {
        for (const MenuEntry& entry : menu.entries) {
            if (entry.needsItems) {
                names.append(entry.name);
            }
        }
    }
    return names;
}

QList<QKeySequence> shortcutsOf(const MenuEntry& entry, const QList<QKeySequence>& platformKeys) {
    QList<QKeySequence> keys = platformKeys;
    if (keys.isEmpty() && entry.standardKey == QKeySequence::SaveAs) {
        keys = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)};
    } else if (keys.isEmpty() && entry.standardKey == QKeySequence::Quit) {
        keys = {QKeySequence(Qt::CTRL | Qt::Key_Q)};
    }
    if (!entry.ownKey.isEmpty()) {
        keys.append(entry.ownKey);
    }
    return keys;
}

QList<QKeySequence> shortcutsOf(const MenuEntry& entry) {
    return shortcutsOf(entry, entry.standardKey == QKeySequence::UnknownKey
                                  ? QList<QKeySequence>()
                                  : QKeySequence::keyBindings(entry.standardKey));
}

QChar accessKey(const QString& caption) {
    const qsizetype at = caption.indexOf(u'&');
    return at >= 0 && at + 1 < caption.size() ? caption[at + 1].toUpper() : QChar();
}

}  // namespace veskplan
