#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace veskplan {

// What the program learns from the machine it runs on. Tests build one by hand.
struct Environment {
    QProcessEnvironment variables;
    QString executableDir;  // the directory that holds the running program
    QString homeDir;        // the user's home directory
    QString userConfigDir;  // per-user configuration directory of the program
    QString systemTempDir;  // the platform's temporary directory
    // Where the system keeps a user's program settings itself (a registry key on Windows); empty
    // where they are an INI file in `userConfigDir`.
    QString settingsKey;
    // The per-user data directory of the program (the bid history); the configuration
    // directory when empty.
    QString userDataDir;

    // The environment of the running process (needs a QCoreApplication).
    static Environment fromSystem();
};

}  // namespace veskplan
