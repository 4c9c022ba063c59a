// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>

// Acts on the next modal window of type `Modal` once it is open, as a user would: a modal
// window runs its own event loop, so the act comes from a timer. Keeps whether it acted.
template <typename Modal>
class ModalAnswer : public QObject {
public:
    explicit ModalAnswer(std::function<void(Modal&)> act) : act_(std::move(act))
    {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget());
            if (!modal || !modal->isVisible())
                return;
            timer_.stop();
            acted = true;
            modal->activateWindow();
            if (!QTest::qWaitForWindowActive(modal))
                qWarning("modal window not active");
            act_(*modal);
        });
        timer_.start();
    }

    bool acted = false;

private:
    std::function<void(Modal&)> act_;
    QTimer timer_;
};
