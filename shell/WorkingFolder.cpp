// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/WorkingFolder.h"

#include "forms/AppTitle.h"
#include "forms/SettingsStore.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QStandardPaths>
#include <QUrl>

namespace WorkingFolder {

namespace {

const QString RecentSection = QStringLiteral("Recent Folders");

QString keyOf(int index)
{
    return QStringLiteral("Folder%1").arg(index + 1);
}

void store(const QStringList& folders)
{
    for (int index = 0; index < RecentCount; ++index)
        SettingsStore::SaveSetting(AppTitle, RecentSection, keyOf(index), folders.value(index));
}

} // namespace

const QString LastFolderOption = QStringLiteral("last-folder");

void addOptions(QCommandLineParser& parser)
{
    parser.addOption({LastFolderOption, QStringLiteral("Work in the folder used last.")});
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("The folder that holds the list."));
}

QString startFolder(const QCommandLineParser& parser)
{
    if (!parser.positionalArguments().isEmpty())
        return parser.positionalArguments().constFirst();
    if (!parser.isSet(LastFolderOption))
        return {};
    for (const QString& folder : recent())
        if (QFileInfo(folder).isDir())
            return folder;
    return firstFolder();
}

QString firstFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir::toNativeSeparators(!documents.isEmpty() && QFileInfo(documents).isDir() ? documents
                                                                                         : QDir::homePath());
}

QString current()
{
    return QDir::currentPath();
}

bool changeTo(const QString& folder, QString& problem)
{
    const QFileInfo info(folder);
    if (!info.isDir()) {
        problem = QStringLiteral("The folder %1 does not exist.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    if (!QDir::setCurrent(info.absoluteFilePath())) {
        problem = QStringLiteral("The folder %1 cannot be opened.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    const QString folderShown = QDir::toNativeSeparators(current());
    QStringList folders = recent();
    folders.removeAll(folderShown);
    folders.prepend(folderShown);
    store(folders.mid(0, RecentCount));
    return true;
}

QStringList recent()
{
    QStringList folders;
    for (int index = 0; index < RecentCount; ++index) {
        const QString folder =
            QDir::toNativeSeparators(SettingsStore::GetSetting(AppTitle, RecentSection, keyOf(index), QString()));
        if (!folder.isEmpty() && !folders.contains(folder))
            folders << folder;
    }
    return folders;
}

void forget(const QString& folder)
{
    QStringList folders = recent();
    folders.removeAll(QDir::toNativeSeparators(folder));
    store(folders);
}

QString ofDrop(const QMimeData& data)
{
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo dropped(url.toLocalFile());
        if (dropped.isDir())
            return dropped.absoluteFilePath();
        if (dropped.exists())
            return dropped.absolutePath();
    }
    return {};
}

} // namespace WorkingFolder
