#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "base/settingsstore.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// A value as its reader takes it: bytes whole, anything else as a list of texts.
QStringList asRead(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray) {
        return {QString::fromLatin1(value.toByteArray().toHex())};
    }
    return value.toStringList();
}

TEST(SettingsStore, WhatOneStoreWritesAnotherOverTheSameFileReads) {
    QTemporaryDir dir;
    const QString location = dir.filePath(u"config/veskplan-window.conf"_s);
    SettingsStore writer(location);
    const std::pair<QString, QVariant> cases[] = {
        {u"catalogue/mappingFile"_s, u"C:\\agency\\mapping.csv"_s},
        {u"recentProjects"_s, QStringList{u"/p/a.vsk"_s, u"/p/b, c.vsk"_s}},
        {u"recentProjects"_s, QStringList{u"/p/one.vsk"_s}},
        {u"window/geometry"_s, QByteArray("\x01\xd9\xd0\xcb\x00\x03", 6)},
        {u"window/masterColumns"_s, QVariantList{120, 0, 45}},
    };
    for (const auto& [key, value] : cases) {
        writer.setValue(key, value);
        EXPECT_EQ(asRead(SettingsStore(location).value(key)), asRead(value)) << key.toStdString();
    }
    EXPECT_TRUE(test::readFile(location).contains("[catalogue]"));  // an INI file
    writer.remove(u"catalogue/mappingFile"_s);
    EXPECT_FALSE(SettingsStore(location).value(u"catalogue/mappingFile"_s).isValid());
    EXPECT_EQ(SettingsStore(location).textList(u"recentProjects"_s), QStringList{u"/p/one.vsk"_s});
}

TEST(SettingsStore, ARegistryKeyIsReadThereAndAnyOtherAsAnIniFile) {
    EXPECT_TRUE(SettingsStore(u"HKEY_CURRENT_USER\\Software\\Veskplan"_s).inRegistry());
    EXPECT_FALSE(SettingsStore(u"/home/u/.config/veskplan/veskplan-window.conf"_s).inRegistry());
    EXPECT_FALSE(SettingsStore(u"C:\\HKEY_x.conf"_s).inRegistry());
}

}  // namespace
}  // namespace veskplan
