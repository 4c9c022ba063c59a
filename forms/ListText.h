// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>
#include <string_view>

// The bytes of a manager list as text for the window. Lists are bytes and stay bytes;
// only what is shown is decoded: each line that is valid UTF-8 as UTF-8, any other as
// Windows-1252, the code page such lists are kept in on Windows ("M\xfcnchen" is
// "München", not "M�nchen").
namespace ListText {

bool isUtf8(std::string_view bytes);
// Line by line, each by its own encoding.
QString toText(std::string_view bytes);
// Text typed into a line, as bytes: Windows-1252 (a character it lacks becomes "?") for
// a line that was Windows-1252, UTF-8 otherwise.
std::string toBytes(const QString& text, bool windows1252);
// The encoding a line typed anew is written in: the system's code page on Windows,
// UTF-8 elsewhere.
bool newLinesInWindows1252();

} // namespace ListText
