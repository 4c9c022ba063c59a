// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The per-user settings store: text values by application, section and key, kept
// between runs. A missing key gives the caller's default.
namespace SettingsStore {

QString GetSetting(const QString& appName, const QString& section, const QString& key, const QString& defaultValue);
void SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value);

} // namespace SettingsStore
