// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/frmMain.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace test {

// What the window tests do around their cases: settings and window locks of their own,
// never the user's, and a fresh working folder for every case.
class WindowTestSetup {
public:
    // Once, before the first case.
    void isolate()
    {
        QVERIFY(settingsDir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
        qputenv("XDG_RUNTIME_DIR", settingsDir_.path().toLocal8Bit()); // not shared with a BORVELIN the user runs
        previousDir_ = QDir::currentPath();
    }

    // Before each case: no settings, and an empty working folder.
    void enterFreshFolder()
    {
        QSettings(QSettings::UserScope, QStringLiteral("BORVELIN"), QStringLiteral("BORVELIN")).clear();
        workDir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(workDir_->path()));
    }

    // After each case.
    void leaveFolder()
    {
        QDir::setCurrent(previousDir_);
        workDir_.reset();
    }

    QString workPath(const QString& name = {}) const { return workDir_->filePath(name); }

    static std::unique_ptr<frmMain> openMainWindow()
    {
        auto window = std::make_unique<frmMain>();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("main window not exposed");
        return window;
    }

private:
    QTemporaryDir settingsDir_;
    std::unique_ptr<QTemporaryDir> workDir_;
    QString previousDir_;
};

} // namespace test
