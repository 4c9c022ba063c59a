// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/SettingsStore.h"

#include <QSettings>

namespace SettingsStore {

namespace {

QString fullKey(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString GetSetting(const QString& appName, const QString& section, const QString& key, const QString& defaultValue)
{
    const QSettings settings(QSettings::UserScope, appName, appName);
    return settings.value(fullKey(section, key), defaultValue).toString();
}

void SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value)
{
    QSettings settings(QSettings::UserScope, appName, appName);
    settings.setValue(fullKey(section, key), value);
}

} // namespace SettingsStore
