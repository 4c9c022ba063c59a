// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QWidget;

// What the user picked for Fill QSL Via in Log.
struct FillChoice {
    QString logFile;
    bool exactCallsOnly = false; // no route of another form of the call
};

inline const QString FillDialogTitle = QStringLiteral("Fill QSL Via in Log");

// Fill QSL Via's questions: the log, in the system's own file dialog, then a box that
// names it with "Exact calls only", ticked as the user last left it; nothing when the user
// cancels either.
std::optional<FillChoice> askFillLog(QWidget* parent);
