// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/WindowPlacement.h"

#include "forms/AppTitle.h"
#include "forms/SettingsStore.h"

#include <QLocale>

#include <cmath>

namespace {

const QString Section = QStringLiteral("Settings");

float readValue(const QString& key, float defaultValue)
{
    const QString text = SettingsStore::GetSetting(AppTitle, Section, key, WindowPlacement::toText(defaultValue));
    return WindowPlacement::fromText(text).value_or(defaultValue);
}

void writeValue(const QString& key, float value)
{
    SettingsStore::SaveSetting(AppTitle, Section, key, WindowPlacement::toText(value));
}

} // namespace

WindowPlacement WindowPlacement::load()
{
    WindowPlacement placement;
    placement.MainLeft = readValue(QStringLiteral("MainLeft"), placement.MainLeft);
    placement.MainTop = readValue(QStringLiteral("MainTop"), placement.MainTop);
    placement.MainWidth = readValue(QStringLiteral("MainWidth"), placement.MainWidth);
    placement.MainHeight = readValue(QStringLiteral("MainHeight"), placement.MainHeight);
    return placement;
}

void WindowPlacement::save() const
{
    writeValue(QStringLiteral("MainLeft"), MainLeft);
    writeValue(QStringLiteral("MainTop"), MainTop);
    writeValue(QStringLiteral("MainWidth"), MainWidth);
    writeValue(QStringLiteral("MainHeight"), MainHeight);
}

QString WindowPlacement::toText(float twips)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<double>(twips), 'g', 7);
}

std::optional<float> WindowPlacement::fromText(const QString& text)
{
    // The user's locale first; a file written under another locale may use C's.
    for (const QLocale& locale : {QLocale::system(), QLocale::c()}) {
        bool ok = false;
        const float value = locale.toFloat(text.trimmed(), &ok);
        if (ok && std::isfinite(value))
            return value;
    }
    return std::nullopt;
}
