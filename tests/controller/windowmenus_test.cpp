#include <gtest/gtest.h>
#include <QSet>

#include "controller/formtexts.h"
#include "controller/windowmenus.h"

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

}  // namespace
}  // namespace veskplan
