// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ImportFileDialog.h"

#include "shell/DialogFolders.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The system's own file dialog has no room for a check box of ours: the merge is asked
// for once the file is chosen, with the file named.
std::optional<bool> askMerge(QWidget* parent, const QString& fileName)
{
    QMessageBox box(QMessageBox::Question, ImportDialogTitle,
                    QStringLiteral("Import %1 into QSL.TXT?").arg(QDir::toNativeSeparators(fileName)),
                    QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("frmImportMerge"));
    box.setInformativeText(QStringLiteral("The QSL.TXT it replaces is kept as QSL.BAK."));
    QPushButton* import = box.addButton(QStringLiteral("&Import"), QMessageBox::AcceptRole);
    box.setDefaultButton(import);
    auto* merge = new QCheckBox(QStringLiteral("&Merge: add only the stations QSL.TXT lacks"), &box);
    merge->setObjectName(QStringLiteral("chkMerge"));
    box.setCheckBox(merge);
    box.exec();
    if (box.clickedButton() != import)
        return std::nullopt;
    return merge->isChecked();
}

} // namespace

std::optional<ImportChoice> askImportFile(QWidget* parent)
{
    const QString fileName =
        QFileDialog::getOpenFileName(parent, ImportDialogTitle, DialogFolders::startFolder(DialogFolders::Import),
                                     QStringLiteral("Manager lists (*.txt *.csv *.TXT *.CSV);;All files (*)"));
    if (fileName.isEmpty())
        return std::nullopt;
    DialogFolders::remember(DialogFolders::Import, fileName);
    const std::optional<bool> merge = askMerge(parent, fileName);
    if (!merge)
        return std::nullopt;
    return ImportChoice{fileName, *merge};
}
