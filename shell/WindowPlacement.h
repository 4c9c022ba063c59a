// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The main window's left, top, outer width and outer height in twips, stored per user
// under "BORVELIN", section "Settings".
struct WindowPlacement {
    float MainLeft = 1000;
    float MainTop = 1000;
    float MainWidth = 6500;
    float MainHeight = 6500;

    // Reads the four values; one that is missing or not a number keeps its default.
    static WindowPlacement load();
    void save() const;

    // The text a value is stored as: the user's locale, no fraction for whole numbers.
    static QString toText(float twips);
    static std::optional<float> fromText(const QString& text);
};
