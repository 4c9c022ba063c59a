// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/DialogFolders.h"

#include "forms/AppTitle.h"
#include "forms/SettingsStore.h"
#include "shell/WorkingFolder.h"

#include <QDir>
#include <QFileInfo>

namespace DialogFolders {

namespace {

const QString Section = QStringLiteral("Dialog Folders");

} // namespace

QString startFolder(const QString& dialog)
{
    const QString folder = SettingsStore::GetSetting(AppTitle, Section, dialog, QString());
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QDir::toNativeSeparators(WorkingFolder::current());
}

void remember(const QString& dialog, const QString& chosenFile)
{
    SettingsStore::SaveSetting(AppTitle, Section, dialog,
                               QDir::toNativeSeparators(QFileInfo(chosenFile).absolutePath()));
}

} // namespace DialogFolders
