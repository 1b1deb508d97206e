#pragma once

#include <QString>

#include "base/configfile.h"
#include "base/configuration.h"
#include "base/environment.h"

namespace veskplan {

// Where the program finds and keeps its files at run time.
struct AppPaths {
    // veskplan.ini: read, and written with the user's changes. On Windows it lies in the user's
    // application data, which a standard user can write.
    QString configFile;
    // The veskplan.ini an agency placed in the Windows folder: read while `configFile` does not
    // exist yet, never written. Empty where there is no such place or it is `configFile` itself.
    QString systemConfigFile;
    QString tempDir;  // directory of the working database
    QString dataDir;  // counties.txt, itemcats.txt, the seed workbook, the sample lists
    // The program's own settings (window, recent projects, mapping file), never veskplan.ini,
    // whose six lines other tools read: an INI file, or a registry key (see SettingsStore).
    QString settingsFile;
    // The user's own data: the bid history unless another is chosen, the confirmed column layouts.
    QString userDataDir;

    static AppPaths resolve(const Environment& environment);

    // Values used when the configuration file is missing or lacks a line.
    Configuration defaultConfiguration(const Environment& environment) const;
    // The configuration file read over those values: `configFile` once it exists, before that
    // `systemConfigFile` where there is one.
    ConfigFile::ReadResult readConfiguration(const Environment& environment) const;

    QString countyFile() const;
    QString categoryFile() const;
    QString seedWorkbook() const;
};

// Joins a directory and a file name with one separator; an empty directory gives the name alone
// under the root, as a bare separator-prefixed name would.
QString joinPath(const QString& dir, const QString& name);

// The directory part of a path, without a trailing separator.
QString directoryOf(const QString& path);

}  // namespace veskplan
