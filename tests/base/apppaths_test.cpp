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
        EXPECT_EQ(paths.configFile, text(c[2]));
        EXPECT_EQ(paths.tempDir, text(c[3]));
        EXPECT_EQ(paths.dataDir, dataDir);
        EXPECT_EQ(paths.defaultConfiguration(env),
                  (Configuration{dataDir, u"/home/u"_s, u"/home/u"_s}));
        EXPECT_EQ(paths.seedWorkbook(), dataDir + u"/seed100-01.xlsx"_s);
        EXPECT_EQ(paths.countyFile(), dataDir + u"/counties.txt"_s);
        EXPECT_EQ(paths.categoryFile(), dataDir + u"/itemcats.txt"_s);
    }
}

TEST(AppPaths, SystemEnvironmentIsTheRunningProcess) {
    const Environment env = Environment::fromSystem();
    EXPECT_EQ(env.executableDir, QCoreApplication::applicationDirPath());
    EXPECT_EQ(env.variables.value(u"QT_QPA_PLATFORM"_s), u"offscreen"_s);
    EXPECT_TRUE(env.userConfigDir.endsWith(u"/veskplan"_s));
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
