// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ImportFileDialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>

std::optional<ImportChoice> askImportFile(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Import Manager List"));
    // Qt's own dialog, as the system's has no room for the check box.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters({QStringLiteral("Manager lists (*.txt *.csv *.TXT *.CSV)"), QStringLiteral("All files (*)")});
    auto* merge = new QCheckBox(QStringLiteral("&Merge: add only the stations QSL.TXT lacks"), &dialog);
    merge->setObjectName(QStringLiteral("chkMerge"));
    // With a list there, adding to it is the safe choice; replacing it asks first.
    merge->setChecked(QFileInfo(QStringLiteral("QSL.TXT")).isFile());
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(merge, grid->rowCount(), 0, 1, grid->columnCount());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ImportChoice{dialog.selectedFiles(), merge->isChecked()};
}
