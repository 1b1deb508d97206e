#pragma once

#include <QString>
#include <QStringList>

#include "base/settingsstore.h"

namespace veskplan {

// The projects opened or saved last, most recent first, kept in the program's own settings so
// that they outlive the run.
class RecentProjects {
public:
    static constexpr int kMaxCount = 8;

    explicit RecentProjects(SettingsStore& settings) : settings_(settings) {}

    QStringList paths() const;
    // Puts the project first (a project file, or the older file an imported project came from).
    void add(const QString& path);
    void remove(const QString& path);

private:
    void store(const QStringList& paths);

    SettingsStore& settings_;
};

}  // namespace veskplan
