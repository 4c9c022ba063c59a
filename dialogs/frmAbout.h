// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/Registry.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: title, version, description and disclaimer; OK closes it and
// "System Info..." starts the system information tool named in the registry.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    static inline const QString Disclaimer = QStringLiteral(
        "Warning: This is a fisrttime program. Any los of data and/or demage of hardware is for your own risk and can "
        "not be claimed by the author of this program and/or Microsoft.");
    static inline const QString SysInfoUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

    explicit frmAbout(QWidget* owner = nullptr);

    void StartSysInfo();
    bool GetKeyValue(Registry::HKEY KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    QLabel* picIcon = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblDescription = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void createControls();
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void showSysInfoUnavailable();
};
