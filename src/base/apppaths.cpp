#include "base/apppaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <utility>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

QString variable(const Environment& env, const QString& name) {
    return env.variables.value(name);
}

QString withoutTrailingSeparator(QString dir) {
    while (dir.size() > 1 && (dir.endsWith(u'/') || dir.endsWith(u'\\'))) {
        dir.chop(1);
    }
    return dir;
}

}  // namespace

Environment Environment::fromSystem() {
    Environment env;
    env.variables = QProcessEnvironment::systemEnvironment();
    env.executableDir = QCoreApplication::applicationDirPath();
    env.homeDir = QDir::homePath();
    env.userConfigDir =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/veskplan"_s;
    env.userDataDir =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/veskplan"_s;
    env.systemTempDir = QDir::tempPath();
#ifdef Q_OS_WIN
    env.settingsKey = u"HKEY_CURRENT_USER\\Software\\Veskplan\\Veskplan"_s;
#endif
    return env;
}

AppPaths AppPaths::resolve(const Environment& env) {
    AppPaths paths;

    // A standard user cannot write the Windows folder (the write fails, or is redirected where
    // nobody else finds it): the user's changes go to the application data folder instead.
    const QString systemRoot = variable(env, u"SystemRoot"_s);
    const QString appData = variable(env, u"APPDATA"_s);
    if (!systemRoot.isEmpty()) {
        paths.systemConfigFile = joinPath(systemRoot, u"veskplan.ini"_s);
    }
    if (!appData.isEmpty()) {
        paths.configFile = joinPath(joinPath(appData, u"Veskplan"_s), u"veskplan.ini"_s);
    } else if (!systemRoot.isEmpty()) {
        paths.configFile = std::exchange(paths.systemConfigFile, QString());
    } else {
        paths.configFile = joinPath(env.userConfigDir, u"veskplan.ini"_s);
    }
    paths.settingsFile = env.settingsKey.isEmpty()
                             ? joinPath(env.userConfigDir, u"veskplan-window.conf"_s)
                             : env.settingsKey;
    paths.userDataDir =
        withoutTrailingSeparator(env.userDataDir.isEmpty() ? env.userConfigDir : env.userDataDir);

    QString temp = variable(env, u"temp"_s);
    if (temp.isEmpty()) {
        temp = variable(env, u"TMP"_s);
    }
    if (temp.isEmpty()) {
        temp = env.systemTempDir;
    }
    paths.tempDir = withoutTrailingSeparator(temp);

    const QString dataOverride = variable(env, u"VESKPLAN_DATA"_s);
    if (!dataOverride.isEmpty()) {
        paths.dataDir = withoutTrailingSeparator(dataOverride);
    } else if (QFileInfo::exists(joinPath(env.executableDir, u"itemcats.txt"_s))) {
        paths.dataDir = withoutTrailingSeparator(env.executableDir);
    } else {
        paths.dataDir = QDir::cleanPath(env.executableDir + u"/../share/veskplan"_s);
    }
    return paths;
}

Configuration AppPaths::defaultConfiguration(const Environment& env) const {
    const QString home = withoutTrailingSeparator(env.homeDir);
    return Configuration{dataDir, home, home};
}

ConfigFile::ReadResult AppPaths::readConfiguration(const Environment& env) const {
    const bool own = systemConfigFile.isEmpty() || QFileInfo::exists(configFile);
    return ConfigFile(own ? configFile : systemConfigFile).read(defaultConfiguration(env));
}

QString AppPaths::countyFile() const {
    return joinPath(dataDir, u"counties.txt"_s);
}
QString AppPaths::categoryFile() const {
    return joinPath(dataDir, u"itemcats.txt"_s);
}
QString AppPaths::seedWorkbook() const {
    return joinPath(dataDir, u"seed100-01.xlsx"_s);
}

QString joinPath(const QString& dir, const QString& name) {
    const QString base = withoutTrailingSeparator(dir);
    if (base.endsWith(u'/') || base.endsWith(u'\\')) {
        return base + name;  // the root itself
    }
    return base + u'/' + name;
}

QString directoryOf(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    if (cut < 0) {
        return QString();
    }
    return cut == 0 ? path.left(1) : path.left(cut);
}

}  // namespace veskplan
