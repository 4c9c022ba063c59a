// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmAbout.h"

#include "BorvelinVersion.h"
#include "forms/AppIcon.h"
#include "forms/AppTitle.h"
#include "forms/DialogControls.h"
#include "forms/Twips.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

const QString SysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString SysInfoLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString SysInfoProgram = QStringLiteral("MSINFO32.EXE");
constexpr Registry::DWORD ValueBufferSize = 1024;

// The design gives the disclaimer a fixed box; a smaller font keeps it whole.
void shrinkFontToFit(QLabel& label)
{
    QFont font = label.font();
    const QRect room = label.contentsRect();
    while (font.pointSizeF() > 6 &&
           QFontMetrics(font).boundingRect(room, Qt::TextWordWrap | Qt::AlignLeft, label.text()).height() >
               room.height())
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label.setFont(font);
}

// A normal file: it exists, is not a folder, and is not hidden.
bool normalFileExists(const QString& path)
{
    const QFileInfo file(path);
    return file.isFile() && !file.isHidden();
}

} // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner)
{
    setUpDialog(*this, "frmAbout", QStringLiteral("About BORVELIN"), 5865, 3630);
    createControls();
    Form_Load();
}

void frmAbout::createControls()
{
    cmdOK = addButton(this, "cmdOK", QStringLiteral("OK"), 4245, 2625, 1467, 345);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo = addButton(this, "cmdSysInfo", QStringLiteral("&System Info..."), 4260, 3075, 1452, 345);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(AppPicture());
    // The design's grey is the face colour of the dialog it stands on: the picture takes
    // the dialog's own, so that no light box frames it on a dark palette.
    picIcon->setAutoFillBackground(false);
    picIcon->move(Twips::toPixelsX(*this, 240), Twips::toPixelsY(*this, 240));
    picIcon->adjustSize(); // the box takes the size of its picture

    lblDisclaimer = addLabel(this, "lblDisclaimer", Disclaimer, 255, 2625, 3870, 825);
    shrinkFontToFit(*lblDisclaimer);
    lblVersion = addLabel(this, "lblVersion", QStringLiteral("Version"), 1080, 780, 4095, 225);
    lblTitle = addLabel(this, "lblTitle", QStringLiteral("Application Title"), 1080, 240, 4095, 480);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblDescription = addLabel(this, "lblDescription", QStringLiteral("BORVELIN"), 1080, 1125, 4095, 1170);

    setTabOrder(cmdOK, cmdSysInfo);
}

void frmAbout::Form_Load()
{
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(borvelin::version::Major)
                            .arg(borvelin::version::Minor)
                            .arg(borvelin::version::Revision));
    lblTitle->setText(AppTitle);
}

// The etched separator: a grey line with a white one just below it.
void frmAbout::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    auto line = [&](QColor colour, int x1, int y1, int x2, int y2) {
        painter.setPen(colour);
        painter.drawLine(Twips::toPixelsX(*this, x1), Twips::toPixelsY(*this, y1), Twips::toPixelsX(*this, x2),
                         Twips::toPixelsY(*this, y2));
    };
    line(QColor(0x80, 0x80, 0x80), 225, 2430, 5657, 2430);
    line(QColor(0xFF, 0xFF, 0xFF), 240, 2445, 5657, 2445);
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    try {
        QString path;
        if (GetKeyValue(Registry::HKEY_LOCAL_MACHINE, SysInfoKey, QStringLiteral("PATH"), path)) {
            // The path is started as read, without a test that it exists.
        } else if (GetKeyValue(Registry::HKEY_LOCAL_MACHINE, SysInfoLocationKey, QStringLiteral("MSINFO"), path) &&
                   normalFileExists(path + QDir::separator() + SysInfoProgram)) {
            path += QDir::separator() + SysInfoProgram;
        } else {
            showSysInfoUnavailable();
            return;
        }
        if (!QProcess::startDetached(path, {}))
            showSysInfoUnavailable();
    } catch (const std::exception&) {
        showSysInfoUnavailable();
    }
}

bool frmAbout::GetKeyValue(Registry::HKEY KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal)
{
    Registry::HKEY hKey = 0;
    if (Registry::RegOpenKeyEx(KeyRoot, KeyName.toLocal8Bit(), 0, Registry::KEY_QUERY_VALUE, &hKey) !=
        Registry::ERROR_SUCCESS) {
        KeyVal.clear();
        Registry::RegCloseKey(hKey);
        return false;
    }
    unsigned char buffer[ValueBufferSize] = {};
    Registry::DWORD size = ValueBufferSize;
    Registry::DWORD type = 0;
    if (Registry::RegQueryValueEx(hKey, SubKeyRef.toLocal8Bit(), nullptr, &type, buffer, &size) !=
        Registry::ERROR_SUCCESS) {
        KeyVal.clear();
        Registry::RegCloseKey(hKey);
        return false;
    }
    const auto* textEnd = std::find(std::begin(buffer), std::end(buffer), 0);
    const QString text = QString::fromLocal8Bit(reinterpret_cast<const char*>(buffer), textEnd - std::begin(buffer));
    if (type == Registry::REG_SZ) {
        KeyVal = text;
    } else if (type == Registry::REG_DWORD) {
        Registry::DWORD number = 0;
        std::memcpy(&number, buffer, sizeof number);
        KeyVal = QString::number(number);
    }
    Registry::RegCloseKey(hKey);
    return true;
}

void frmAbout::showSysInfoUnavailable()
{
    QMessageBox box(QMessageBox::NoIcon, AppTitle, SysInfoUnavailable, QMessageBox::Ok, this);
    box.exec();
}
