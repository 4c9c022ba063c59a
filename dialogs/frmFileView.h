// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

// A text file of the working folder shown read-only in a window of its own, such as the
// failure log BORVELIN.LOG: for a desktop with no program for it. A long file shows its
// end, where the newest entries are.
class frmFileView : public QDialog {
    Q_OBJECT

public:
    // The most of a file that is shown.
    static constexpr qint64 MostBytesShown = 4 << 20;

    frmFileView(QWidget* owner, const QString& path);
    // Shows `path`, or brings its open view to the front with the file read anew.
    static frmFileView* showFile(QWidget* owner, const QString& path);

    QString path() const { return path_; }
    void readFile();

    QLabel* lblFile = nullptr;
    QPlainTextEdit* txtFile = nullptr;

private:
    QString path_;
};
