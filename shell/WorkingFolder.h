// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;
class QMimeData;

// The folder the program works in is its current directory: choosing a folder makes it
// the current directory, and puts it first in the list of the folders used last, which
// is kept per user beside the window's placement.
namespace WorkingFolder {

constexpr int RecentCount = 4;

// The command line's say: `borvelin [--last-folder] [FOLDER]`.
void addOptions(QCommandLineParser& parser);
// The folder to start in: FOLDER, or with --last-folder (the menu entry's start) the
// folder used last that is still there, else the first folder; empty for the current
// directory, as a program started from a terminal expects.
QString startFolder(const QCommandLineParser& parser);
// The folder of a first start: the user's Documents (the home folder when there is
// none), never the program's own folder, where a user may not write.
QString firstFolder();

QString current();
// Changes to `folder` and remembers it; false, with the reason in `problem`, when the
// folder cannot be worked in.
bool changeTo(const QString& folder, QString& problem);
// The folders used last, the newest first, with the system's separators as they are
// shown and stored.
QStringList recent();
void forget(const QString& folder);
// The folder a drop names: a folder itself, or the folder that holds a dropped file;
// empty when the drop names no local file or folder.
QString ofDrop(const QMimeData& data);

} // namespace WorkingFolder
