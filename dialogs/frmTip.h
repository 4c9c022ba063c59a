// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QRandomGenerator>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;

// Tip of the Day: a random line of TIPOFDAY.TXT beside the program, another at every
// "Next Tip", and the per-user option whether the window is wanted at start-up. With
// that option off, the window closes itself while loading and never shows.
class frmTip : public QDialog {
    Q_OBJECT

public:
    static inline const QString TipFileName = QStringLiteral("TIPOFDAY.TXT");
    static inline const QString OptionsSection = QStringLiteral("Options");
    static inline const QString ShowTipsKey = QStringLiteral("Show Tips at Startup");

    explicit frmTip(QWidget* owner = nullptr);

    // True when loading found the option off and closed the window.
    bool closedWhileLoading() const { return closedWhileLoading_; }

    bool LoadTips(const QString& sFile);
    void DisplayCurrentTip();
    // The text shown when the tip file is missing.
    static QString missingFileText();
    // The settings name: the program's file name without its extension.
    static QString settingsAppName();

    QPushButton* cmdOK = nullptr;
    QWidget* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblTipText = nullptr;
    QPushButton* cmdNextTip = nullptr;
    QCheckBox* chkLoadTipsAtStartup = nullptr;

    QStringList TipList;
    int TipIndex = 0;

public slots:
    void setVisible(bool visible) override;

private:
    void createControls();
    void Form_Load();
    void PickRandomTip();
    void chkLoadTipsAtStartup_Click();

    QRandomGenerator random_;
    bool closedWhileLoading_ = false;
};
