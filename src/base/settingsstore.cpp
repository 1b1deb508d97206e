#include "base/settingsstore.h"

#include <QSettings>

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

QSettings::Format formatOf(const SettingsStore& store) {
    return store.inRegistry() ? QSettings::NativeFormat : QSettings::IniFormat;
}

}  // namespace

bool SettingsStore::inRegistry() const {
    return location_.startsWith(u"HKEY_"_s);
}

QVariant SettingsStore::value(const QString& key) const {
    return QSettings(location_, formatOf(*this)).value(key);
}

void SettingsStore::setValue(const QString& key, const QVariant& value) {
    setValues({{key, value}});
}

void SettingsStore::setValues(const QList<std::pair<QString, QVariant>>& values) {
    QSettings settings(location_, formatOf(*this));
    for (const auto& [key, value] : values) {
        settings.setValue(key, value);
    }
    settings.sync();
}

void SettingsStore::remove(const QString& key) {
    QSettings settings(location_, formatOf(*this));
    settings.remove(key);
    settings.sync();
}

}  // namespace veskplan
