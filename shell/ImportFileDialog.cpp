// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ImportFileDialog.h"

#include "shell/DialogFolders.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

QString nativeNames(const QStringList& files)
{
    QStringList names;
    for (const QString& file : files)
        names << QDir::toNativeSeparators(file);
    return names.join(QStringLiteral(", "));
}

namespace {

// The system's own file dialog has no room for a check box of ours: the merge is asked
// for once the files are chosen, with the files named. With a list there, adding to it
// is the safe choice; replacing it asks once more.
std::optional<bool> askMerge(QWidget* parent, const QStringList& fileNames)
{
    QMessageBox box(QMessageBox::Question, ImportDialogTitle,
                    QStringLiteral("Import %1 into QSL.TXT?").arg(nativeNames(fileNames)), QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("frmImportMerge"));
    box.setInformativeText(QStringLiteral("The QSL.TXT it replaces is kept as QSL.BAK."));
    QPushButton* import = box.addButton(QStringLiteral("&Import"), QMessageBox::AcceptRole);
    box.setDefaultButton(import);
    auto* merge = new QCheckBox(QStringLiteral("&Merge: add only the stations QSL.TXT lacks"), &box);
    merge->setObjectName(QStringLiteral("chkMerge"));
    merge->setChecked(QFileInfo(QStringLiteral("QSL.TXT")).isFile());
    box.setCheckBox(merge);
    box.exec();
    if (box.clickedButton() != import)
        return std::nullopt;
    return merge->isChecked();
}

} // namespace

std::optional<ImportChoice> askImportFile(QWidget* parent)
{
    const QStringList fileNames =
        QFileDialog::getOpenFileNames(parent, ImportDialogTitle, DialogFolders::startFolder(DialogFolders::Import),
                                      QStringLiteral("Manager lists (*.txt *.csv *.TXT *.CSV);;All files (*)"));
    if (fileNames.isEmpty())
        return std::nullopt;
    DialogFolders::remember(DialogFolders::Import, fileNames.constFirst());
    const std::optional<bool> merge = askMerge(parent, fileNames);
    if (!merge)
        return std::nullopt;
    return ImportChoice{fileNames, *merge};
}
