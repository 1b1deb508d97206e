#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>

namespace veskplan {

// The settings the program keeps between runs (window, recent projects, mapping file, bid
// history, print folder), at one location: a registry key ("HKEY_CURRENT_USER\...") on
// Windows, an INI file otherwise. Every read sees what is stored at that moment, and every write
// is stored before the call returns, so that two stores over one location agree.
class SettingsStore {
public:
    explicit SettingsStore(QString location) : location_(std::move(location)) {}

    // Whether the location is a registry key rather than a file.
    bool inRegistry() const;

    // An invalid value for a key that is not set.
    QVariant value(const QString& key) const;
    QString text(const QString& key) const { return value(key).toString(); }
    QStringList textList(const QString& key) const { return value(key).toStringList(); }

    void setValue(const QString& key, const QVariant& value);
    // Several keys at once, in one write.
    void setValues(const QList<std::pair<QString, QVariant>>& values);
    void remove(const QString& key);

private:
    QString location_;
};

}  // namespace veskplan
