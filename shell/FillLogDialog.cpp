// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/FillLogDialog.h"

#include "forms/AppTitle.h"
#include "forms/SettingsStore.h"
#include "shell/DialogFolders.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

const QString Section = QStringLiteral("Fill QSL Via");
const QString ExactKey = QStringLiteral("ExactCallsOnly");

// The system's own file dialog has no room for a check box of ours, as with Import.
std::optional<bool> askExact(QWidget* parent, const QString& logFile)
{
    QMessageBox box(QMessageBox::Question, FillDialogTitle,
                    QStringLiteral("Fill QSL Via in %1?").arg(QDir::toNativeSeparators(logFile)), QMessageBox::Cancel,
                    parent);
    box.setObjectName(QStringLiteral("frmFillExact"));
    box.setInformativeText(
        QStringLiteral("The log before the fill is kept beside it as %1.bak.").arg(QFileInfo(logFile).fileName()));
    QPushButton* fill = box.addButton(QStringLiteral("&Fill"), QMessageBox::AcceptRole);
    box.setDefaultButton(fill);
    auto* exact =
        new QCheckBox(QStringLiteral("&Exact calls only: no route found under another form of the call"), &box);
    exact->setObjectName(QStringLiteral("chkExact"));
    exact->setChecked(SettingsStore::GetSetting(AppTitle, Section, ExactKey, QStringLiteral("0")) == "1");
    box.setCheckBox(exact);
    box.exec();
    if (box.clickedButton() != fill)
        return std::nullopt;
    SettingsStore::SaveSetting(AppTitle, Section, ExactKey,
                               exact->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    return exact->isChecked();
}

} // namespace

std::optional<FillChoice> askFillLog(QWidget* parent)
{
    const QString logFile =
        QFileDialog::getOpenFileName(parent, FillDialogTitle, DialogFolders::startFolder(DialogFolders::FillQslVia),
                                     QStringLiteral("ADIF logs (*.adi *.ADI);;All files (*)"));
    if (logFile.isEmpty())
        return std::nullopt;
    DialogFolders::remember(DialogFolders::FillQslVia, logFile);
    const std::optional<bool> exact = askExact(parent, logFile);
    if (!exact)
        return std::nullopt;
    return FillChoice{logFile, *exact};
}
