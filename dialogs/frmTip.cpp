// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmTip.h"

#include "forms/AppIcon.h"
#include "forms/CorePath.h"
#include "forms/DialogControls.h"
#include "forms/SettingsStore.h"
#include "forms/Twips.h"
#include "jobs/JobError.h"
#include "jobs/LineReader.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTime>

#include <algorithm>

frmTip::frmTip(QWidget* owner) : QDialog(owner)
{
    setUpDialog(*this, "frmTip", QStringLiteral("Tip of the Day"), 5415, 3285);
    createControls();
    Form_Load();
}

void frmTip::createControls()
{
    cmdOK = addButton(this, "cmdOK", QStringLiteral("OK"), 4080, 120, 1215, 375);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAutoFillBackground(true);
    QPalette white = Picture1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Picture1->setPalette(white);
    Twips::place(*Picture1, 120, 120, 3735, 2715);
    auto* icon = new QLabel(Picture1);
    icon->setPixmap(AppPicture());
    icon->setGeometry(0, 0, 32, 32);
    Label1 = addLabel(Picture1, "Label1", QStringLiteral("Did you know..."), 540, 180, 2655, 255);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    lblTipText = addLabel(Picture1, "lblTipText", QString(), 180, 840, 3255, 1635);

    cmdNextTip = addButton(this, "cmdNextTip", QStringLiteral("&Next Tip"), 4080, 600, 1215, 375);
    connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::PickRandomTip);

    chkLoadTipsAtStartup = new QCheckBox(QStringLiteral("&Show Tips at Startup"), this);
    chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    Twips::place(*chkLoadTipsAtStartup, 120, 2940, 2055, 315);
    // Wider than designed when the font needs it, rather than cut off.
    chkLoadTipsAtStartup->resize(std::max(chkLoadTipsAtStartup->width(), chkLoadTipsAtStartup->sizeHint().width()),
                                 chkLoadTipsAtStartup->height());
    // Ticking it from the code counts as a click too, as the option must follow the box.
    connect(chkLoadTipsAtStartup, &QCheckBox::toggled, this, &frmTip::chkLoadTipsAtStartup_Click);

    setTabOrder(cmdOK, cmdNextTip);
    setTabOrder(cmdNextTip, chkLoadTipsAtStartup);
}

QString frmTip::settingsAppName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void frmTip::Form_Load()
{
    bool isNumber = false;
    const int showTips = SettingsStore::GetSetting(settingsAppName(), OptionsSection, ShowTipsKey, QStringLiteral("1"))
                             .trimmed()
                             .toInt(&isNumber);
    if (isNumber && showTips == 0) { // a value that is not a whole number counts as 1
        closedWhileLoading_ = true;
        return;
    }
    chkLoadTipsAtStartup->setChecked(true);
    random_.seed(static_cast<quint32>(QTime::currentTime().msecsSinceStartOfDay()));
    if (!LoadTips(QCoreApplication::applicationDirPath() + QLatin1Char('/') + TipFileName))
        lblTipText->setText(missingFileText());
}

QString frmTip::missingFileText()
{
    return QStringLiteral("That the ") + TipFileName + QStringLiteral(" file was not found? ") +
           QStringLiteral("\r\n") + QStringLiteral("\r\n") + QStringLiteral("Create a text file named ") + TipFileName +
           QStringLiteral(" using NotePad with 1 tip per line. ") +
           QStringLiteral("Then place it in the same directory as the application. ");
}

bool frmTip::LoadTips(const QString& sFile)
{
    const QFileInfo file(sFile);
    if (sFile.isEmpty() || !file.isFile() || file.isHidden())
        return false;
    try {
        borvelin::LineReader reader(corePath(sFile));
        std::string line;
        while (reader.readLine(line))
            TipList.append(QString::fromLocal8Bit(line.data(), static_cast<qsizetype>(line.size())));
    } catch (const borvelin::JobError&) {
        return false;
    }
    PickRandomTip();
    return true;
}

void frmTip::PickRandomTip()
{
    const double r = random_.generateDouble();
    TipIndex = static_cast<int>(r * TipList.size() + 1);
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (!TipList.isEmpty())
        lblTipText->setText(TipList.at(TipIndex - 1));
}

void frmTip::chkLoadTipsAtStartup_Click()
{
    SettingsStore::SaveSetting(settingsAppName(), OptionsSection, ShowTipsKey,
                               chkLoadTipsAtStartup->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void frmTip::setVisible(bool visible)
{
    QDialog::setVisible(visible && !closedWhileLoading_);
}
