#include <gtest/gtest.h>
#include <QCoreApplication>
#include <array>

#include "base/apppaths.h"
#include "support/testfiles.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(AppPaths, ComeFromTheVariablesOrTheProgramFolder) {
    // Variables, the program's folder and what follows; %1 is a folder whose bin/ holds the
    // category list.
    const std::array<const char*, 5> cases[] = {
        {"SystemRoot=/win temp=/t// VESKPLAN_DATA=/data/", "%1/bin", "/win/veskplan.ini", "/t",
         "/data"},
        {"TMP=/tmp2", "%1/bin", "/cfg/veskplan.ini", "/tmp2", "%1/bin"},
        {"", "%1/other", "/cfg/veskplan.ini", "/systmp", "%1/share/veskplan"},
    };
    QTemporaryDir dir;
    test::writeFile(dir.filePath(u"bin/itemcats.txt"_s), "01 Mainline\r\n");
    for (const auto& c : cases) {
        const auto text = [&](const char* pattern) {
            return QString::fromLatin1(pattern).arg(dir.path());
        };
        Environment env{{}, text(c[1]), u"/home/u/"_s, u"/cfg"_s, u"/systmp"_s};
        for (const QString& variable : text(c[0]).split(u' ', Qt::SkipEmptyParts)) {
            env.variables.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        }
        const AppPaths paths = AppPaths::resolve(env);
        const QString dataDir = text(c[4]);
        EXPECT_EQ((QStringList{paths.configFile, paths.tempDir, paths.dataDir, paths.userDataDir,
                               paths.seedWorkbook(), paths.countyFile(), paths.categoryFile()}),
                  (QStringList{text(c[2]), text(c[3]), dataDir, u"/cfg"_s,
                               dataDir + u"/seed100-01.xlsx"_s, dataDir + u"/counties.txt"_s,
                               dataDir + u"/itemcats.txt"_s}));
        EXPECT_EQ(paths.defaultConfiguration(env),
                  (Configuration{dataDir, u"/home/u"_s, u"/home/u"_s}));
    }
}

TEST(AppPaths, TheUsersOwnConfigurationIsReadFirstOnceItExistsAndTheSystemOneOnlyBefore) {
    QTemporaryDir dir;
    Environment env{{}, dir.filePath(u"bin"_s), u"/home/u"_s, u"/cfg"_s, u"/systmp"_s};
    env.variables.insert(u"SystemRoot"_s, dir.filePath(u"win"_s));
    env.variables.insert(u"APPDATA"_s, dir.filePath(u"roaming"_s));
    const AppPaths paths = AppPaths::resolve(env);
    EXPECT_EQ(paths.configFile, dir.filePath(u"roaming/Veskplan/veskplan.ini"_s));
    EXPECT_EQ(paths.systemConfigFile, dir.filePath(u"win/veskplan.ini"_s));
    const auto mastDirRead = [&] { return paths.readConfiguration(env).values.mastDir; };
    EXPECT_EQ(mastDirRead(), paths.dataDir);
    const Configuration agencys{u"S:\\lists"_s, u"S:\\tsp"_s, u"S:\\jobs"_s};
    ConfigFile(paths.systemConfigFile).write(agencys);
    EXPECT_EQ(paths.readConfiguration(env).values, agencys);
    ConfigFile(paths.configFile).write({u"C:\\mine"_s, u"C:\\tsp"_s, u"C:\\jobs"_s});
    EXPECT_EQ(mastDirRead(), u"C:\\mine"_s);
    EXPECT_EQ(ConfigFile(paths.systemConfigFile).read({}).values, agencys);
    // Without an application data folder the one file is read and written.
    env.variables.remove(u"APPDATA"_s);
    EXPECT_EQ(AppPaths::resolve(env).configFile, paths.systemConfigFile);
    EXPECT_TRUE(AppPaths::resolve(env).systemConfigFile.isEmpty());
}

TEST(AppPaths, SystemEnvironmentIsTheRunningProcess) {
    const Environment env = Environment::fromSystem();
    EXPECT_EQ(env.executableDir, QCoreApplication::applicationDirPath());
    EXPECT_EQ(env.variables.value(u"QT_QPA_PLATFORM"_s), u"offscreen"_s);
    EXPECT_TRUE(env.userConfigDir.endsWith(u"/veskplan"_s));
    EXPECT_TRUE(env.userDataDir.endsWith(u"/veskplan"_s));
    EXPECT_EQ(AppPaths::resolve(env).userDataDir, env.userDataDir);
#ifdef Q_OS_WIN
    const QString settings = u"HKEY_CURRENT_USER\\Software\\Veskplan\\Veskplan"_s;
#else
    const QString settings = env.userConfigDir + u"/veskplan-window.conf"_s;
#endif
    EXPECT_EQ(AppPaths::resolve(env).settingsFile, settings);
}

TEST(AppPaths, JoinAndSplitPaths) {
    for (const QStringList& c : test::tableRows(u"base/paths.txt"_s)) {
        if (c[0] == u"join"_s) {
            EXPECT_EQ(joinPath(c[1], c[2]), c[3]) << c.join(u'|').toStdString();
        } else {
            EXPECT_EQ(directoryOf(c[1]), c[2]) << c.join(u'|').toStdString();
        }
    }
}

}  // namespace
}  // namespace veskplan
