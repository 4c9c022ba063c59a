// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>

// Paths between the window and the core, which keeps them as UTF-8 and opens them with
// the system's wide calls on Windows. Never through the local 8-bit code page, which on
// Windows is the ANSI one and cannot hold every folder's name.

// `path` for the core, with the system's separators, so that the status bar, the report
// and the errors show it as the system does.
std::string corePath(const QString& path);
// A text of the core's that may hold a path (a panel's text, an error's file name).
QString fromCore(const std::string& text);
