// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

// Answers the next message box that opens, keeping what it showed. Modal boxes run
// their own event loop, so the answer comes from a timer.
class MessageBoxCatcher : public QObject {
public:
    MessageBoxCatcher()
    {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, &MessageBoxCatcher::answer);
        timer_.start();
    }

    int count = 0;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;

private:
    void answer()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box || !box->isVisible())
                continue;
            ++count;
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            buttons = box->standardButtons();
            box->done(QMessageBox::Ok);
            return;
        }
    }

    QTimer timer_;
};
