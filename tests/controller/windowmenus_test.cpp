#include <gtest/gtest.h>
#include <QSet>

#include "controller/controllertexts.h"
#include "controller/filecommands.h"
#include "controller/formtexts.h"
#include "controller/windowmenus.h"
#include "support/controllerfixture.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// One menu of the bar, one command of an open menu, one control of the form.
TEST(WindowMenus, EveryAccessKeyAndShortcutReachesOneThing) {
    QSet<QChar> bar;
    QSet<QKeySequence> shortcuts;
    QStringList guarded;
    for (const WindowMenu& menu : windowMenus()) {
        EXPECT_FALSE(bar.contains(accessKey(menu.caption))) << menu.name.toStdString();
        bar.insert(accessKey(menu.caption));
        QSet<QChar> inMenu;
        for (const MenuEntry& entry : menu.entries) {
            if (entry.kind == MenuEntry::Kind::Separator) {
                continue;
            }
            EXPECT_FALSE(entry.caption.contains(u'\u2026')) << "one form of ellipsis";
            const QChar key = accessKey(entry.caption);
            if (!key.isNull()) {
                EXPECT_FALSE(inMenu.contains(key)) << entry.name.toStdString();
                inMenu.insert(key);
            }
            for (const QKeySequence& shortcut : shortcutsOf(entry)) {
                EXPECT_FALSE(shortcuts.contains(shortcut)) << entry.name.toStdString();
                shortcuts.insert(shortcut);
            }
            if (entry.needsItems) {
                guarded << entry.name;
            }
        }
    }
    EXPECT_EQ(bar, (QSet<QChar>{u'F', u'E', u'X'}));
    EXPECT_EQ(guarded, (QStringList{u"mnuFileSave"_s, u"mnuFileSaveas"_s, u"mnuExpTrans"_s,
                                    u"mnuExpRCAD"_s, u"mnuExpRCADexcel"_s, u"mnuExpBCAD"_s}));
    int keys = 0;
    for (const QString& name : formTextNames()) {
        const FormText text = formText(name);
        if (const QChar key = accessKey(text.caption); !key.isNull()) {
            EXPECT_FALSE(bar.contains(key)) << name.toStdString();
            bar.insert(key);
            ++keys;
        }
        EXPECT_EQ(text.tooltip.isEmpty(), text.accessibleName.isEmpty()) << name.toStdString();
    }
    EXPECT_EQ(keys, 13);
}

TEST(WindowMenus, APlatformWithoutKeysForSaveAsOrQuitGetsTheUsualOnes) {
    using Key = QKeySequence;
    MenuEntry entry;
    const Key platformKey(Qt::CTRL | Qt::Key_F12);
    const std::tuple<Key::StandardKey, QList<Key>, Key, QList<Key>> cases[] = {
        {Key::SaveAs, {}, {}, {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}},
        {Key::SaveAs, {platformKey}, {}, {platformKey}},
        {Key::Quit, {}, {}, {Key(Qt::CTRL | Qt::Key_Q)}},
        {Key::Open, {}, {}, {}},
        {Key::UnknownKey, {}, Key(Qt::CTRL | Qt::Key_E), {Key(Qt::CTRL | Qt::Key_E)}},
        {Key::Print, {platformKey}, Key(Qt::Key_F9), {platformKey, Key(Qt::Key_F9)}},
    };
    for (const auto& [standard, platform, own, expected] : cases) {
        entry.standardKey = standard;
        entry.ownKey = own;
        EXPECT_EQ(shortcutsOf(entry, platform), expected) << int(standard);
    }
    EXPECT_EQ(accessKey(u"Road CAD (&Excel)"_s), u'E');
    EXPECT_TRUE(accessKey(u"Undo"_s).isNull());
}

// Each command of the menus runs its own tool: what it asks the user first, or what it asks of
// the window. Every question is answered "Cancel".
using MenuCommands = test::ControllerTest;

TEST_F(MenuCommands, EveryCommandRunsItsTool) {
    start();
    addMasterRow(0);  // the guarded commands need items; the exports, a quantity
    ProjectGridModel& items = controller->editing().model();
    items.setData(items.index(0, ProjectGridModel::QuantityColumn), u"7"_s);
    controller->editing().setProjectNumber(u"STP-12-B(7)03"_s);
    controller->editing().setLettingMonth(3);
    doc().setModified(false);
    QStringList windowRequests;
    ViewRequests& requests = controller->requests();
    QObject::connect(&requests, &ViewRequests::estimateWindowRequested,
                     [&] { windowRequests << u"estimate window"_s; });
    QObject::connect(&requests, &ViewRequests::quitApproved, [&] { windowRequests << u"quit"_s; });
    port.onMessage = [&](const MessageRequest&) { port.answers.push_back(Answer::Cancel); };
    const std::pair<QString, QString> cases[] = {
        {u"mnuFileOpen"_s, u"Open Project"_s},
        {u"mnuFileSave"_s, u"Save Project As"_s},  // a project without a file yet
        {u"mnuFileSaveas"_s, u"Save Project As"_s},
        {u"mnuFilePrint"_s, u"printer"_s},
        {u"mnuFilePdf"_s, u"Export Quantity Table as PDF"_s},
        {u"mnuFileImportQuantities"_s, u"Import Quantities"_s},
        {u"mnuFileImportBids"_s, u"Import Bid History"_s},
        {u"mnuFileBidHistory"_s, u"Choose Bid History File"_s},
        {u"mnuFileExit"_s, u"quit"_s},
        {u"mnuEditFind"_s, u"focus srchStr"_s},
        {u"mnuEditCheck"_s, texts::catalogueNothingFound()},
        {u"mnuEditEstimate"_s, u"estimate window"_s},
        {u"mnuExpTrans"_s, exportFormat(ExportFormat::Id::Trnsport).dialogTitle},
        {u"mnuExpRCAD"_s, exportFormat(ExportFormat::Id::RoadCad).dialogTitle},
        {u"mnuExpBCAD"_s, exportFormat(ExportFormat::Id::BridgeCad).dialogTitle},
        {u"mnuExpRCADexcel"_s, exportFormat(ExportFormat::Id::Tabfill).dialogTitle},
        {u"mnuFileNew"_s, u""_s},  // an unchanged project is left without a question
    };
    for (const auto& [name, asked] : cases) {
        port.clear();
        windowRequests.clear();
        port.files.push_back(std::nullopt);
        const int printerDialogs = port.printerDialogs;
        menuEntry(name).run(*controller);
        QStringList seen = windowRequests;
        for (const FileDialogRequest& dialog : port.dialogs) {
            seen << dialog.title;
        }
        if (port.printerDialogs > printerDialogs) {
            seen << u"printer"_s;
        }
        for (const MessageRequest& message : port.messages) {
            seen << message.text;
        }
        if (!port.focus.empty()) {
            seen << u"focus "_s + port.lastFocus();
        }
        EXPECT_EQ(seen.value(0), asked) << name.toStdString();
    }
}

TEST(WindowMenus, OneLocalFileDroppedOpensAsAProject) {
    const QUrl local = QUrl::fromLocalFile(u"/p/a.vsk"_s);
    EXPECT_EQ(droppedProject({local}), u"/p/a.vsk"_s);
    EXPECT_FALSE(droppedProject({}));
    EXPECT_FALSE(droppedProject({local, QUrl::fromLocalFile(u"/p/b.vsk"_s)}));
    EXPECT_FALSE(droppedProject({QUrl(u"https://example.org/a.vsk"_s)}));
}

}  // namespace
}  // namespace veskplan
