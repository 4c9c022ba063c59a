// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/Forms.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace Forms {

namespace {

QList<QPointer<QWidget>>& openWindows()
{
    static QList<QPointer<QWidget>> windows;
    windows.removeAll(nullptr); // windows deleted without being hidden first
    return windows;
}

class ShowTracker : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && !openWindows().contains(window))
            openWindows().append(window);
        else if (event->type() == QEvent::Hide)
            openWindows().removeAll(window);
        return false;
    }
};

} // namespace

void track(QWidget* window)
{
    static ShowTracker tracker;
    window->installEventFilter(&tracker);
}

QList<QWidget*> open()
{
    QList<QWidget*> windows;
    for (const auto& window : openWindows())
        windows.append(window);
    return windows;
}

} // namespace Forms
