#include <gtest/gtest.h>

#include <QDir>

#include "shell/configfile.h"
#include "shell/error.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using test::crlf;
using test::readFile;
using test::writeFile;

const Configuration kDefaults{QStringLiteral("/defaults/data"), QStringLiteral("/home/u"),
                              QStringLiteral("/home/u")};

class ConfigFileTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("veskplan.ini")); }
    QTemporaryDir dir;
};

TEST_F(ConfigFileTest, ReadsValuesByPositionFromTheEleventhCharacter) {
    writeFile(path(), crlf({"anything at all", "mastDir = C:\\vesk\\items", "",
                            "tsptDir = \\\\server\\trns", "; comment", "lastDir = D:\\jobs"}));
    const auto result = ConfigFile(path()).read(kDefaults);
    EXPECT_EQ(result.values.mastDir, QStringLiteral("C:\\vesk\\items"));
    EXPECT_EQ(result.values.tsptDir, QStringLiteral("\\\\server\\trns"));
    EXPECT_EQ(result.values.lastDir, QStringLiteral("D:\\jobs"));
    EXPECT_TRUE(result.existed);
    EXPECT_TRUE(result.warning.isEmpty());
}

TEST_F(ConfigFileTest, KeyWithoutBlanksLosesTwoCharactersOfItsValue) {
    writeFile(path(), crlf({"c", "mastDir=/data/lists", "c", "tsptDir = /t", "c", "lastDir = /l"}));
    EXPECT_EQ(ConfigFile(path()).read(kDefaults).values.mastDir, QStringLiteral("ata/lists"));
}

TEST_F(ConfigFileTest, ValueLinesShorterThanTheKeyGiveEmptyValues) {
    writeFile(path(), crlf({"c", "mastDir", "c", "tsptDir = ", "c", ""}));
    const auto result = ConfigFile(path()).read(kDefaults);
    EXPECT_EQ(result.values, (Configuration{QString(), QString(), QString()}));
    EXPECT_TRUE(result.warning.isEmpty());
}

TEST_F(ConfigFileTest, MissingFileGivesDefaultsWithoutWarning) {
    const auto result = ConfigFile(path()).read(kDefaults);
    EXPECT_FALSE(result.existed);
    EXPECT_EQ(result.values, kDefaults);
    EXPECT_TRUE(result.warning.isEmpty());
}

TEST_F(ConfigFileTest, ShortFileWarnsOnceNamingItAndKeepsWhatItHas) {
    writeFile(path(), crlf({"c", "mastDir = /lists", "c"}));
    const auto result = ConfigFile(path()).read(kDefaults);
    EXPECT_EQ(result.values.mastDir, QStringLiteral("/lists"));
    EXPECT_EQ(result.values.tsptDir, kDefaults.tsptDir);
    EXPECT_EQ(result.values.lastDir, kDefaults.lastDir);
    EXPECT_TRUE(result.warning.contains(QDir::toNativeSeparators(path())))
        << result.warning.toStdString();
}

TEST_F(ConfigFileTest, ReadsLinesEndedByLineFeedsOnly) {
    writeFile(path(), "c\nmastDir = /a\nc\ntsptDir = /b\nc\nlastDir = /c\n");
    EXPECT_EQ(ConfigFile(path()).read(kDefaults).values,
              (Configuration{QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c")}));
}

TEST_F(ConfigFileTest, WritesExactlySixLinesEvenOverALongerFile) {
    writeFile(path(), crlf({"c", "mastDir = /a", "c", "tsptDir = /b", "c", "lastDir = /c",
                            "extra 7", "extra 8"}));
    const ConfigFile file(path());
    file.write(file.read(kDefaults).values);
    EXPECT_TRUE(
        test::sameBytes("'** Directory Master Item List Files are kept **\r\n"
                        "mastDir = /a\r\n"
                        "'** Directory containing month dirs for Trns*Port exports **\r\n"
                        "tsptDir = /b\r\n"
                        "'** Last directory saved to **\r\n"
                        "lastDir = /c\r\n",
                        readFile(path())));
}

TEST_F(ConfigFileTest, WritesValuesInWindows1252) {
    ConfigFile(path()).write(Configuration{QString::fromUtf16(u"/d\u00E9p\u00F4t"),
                                           QStringLiteral("/t"), QStringLiteral("/l")});
    EXPECT_TRUE(readFile(path()).contains("mastDir = /d\xE9p\xF4t\r\n"));
}

TEST_F(ConfigFileTest, FailedWriteThrowsNamingTheFile) {
    const QString blocked = dir.filePath(QStringLiteral("file-not-dir/veskplan.ini"));
    writeFile(dir.filePath(QStringLiteral("file-not-dir")), "x");
    try {
        ConfigFile(blocked).write(kDefaults);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(QDir::toNativeSeparators(blocked)));
    }
}

}  // namespace
}  // namespace veskplan
