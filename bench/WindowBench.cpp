// SPDX-License-Identifier: GPL-3.0-or-later
// Times the window program as its user meets it, in the current directory:
//   borvelin-window-bench start    starts as the program does and quits once the main
//                                  window is first painted (time it from outside)
//   borvelin-window-bench list25   runs List of 25+ from the File menu and prints its
//                                  time in ms and the progress texts painted meanwhile
#include "shell/Module1.h"
#include "shell/StatusBar.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

// Calls `onPaint` whenever the watched widget is painted.
class PaintWatch : public QObject {
public:
    template <typename OnPaint>
    PaintWatch(QWidget* widget, OnPaint onPaint) : onPaint_(onPaint)
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            onPaint_(watched);
        return false;
    }

private:
    std::function<void(QObject*)> onPaint_;
};

int timeList25()
{
    frmMain* window = Module1::MainForm;
    QLabel* progress = window->StatusBar2->panelLabel(1);
    QStringList painted;
    PaintWatch watch(progress, [&](QObject*) { painted << progress->text(); });
    auto* list25 = window->findChild<QAction*>(QStringLiteral("mnuFileList25"));
    if (!list25)
        return 1;
    QElapsedTimer clock;
    clock.start();
    list25->trigger();
    const qint64 elapsed = clock.elapsed();
    QApplication::processEvents(); // the last texts as the event loop paints them
    std::printf("%lld ms, %lld paints of the progress panel", static_cast<long long>(elapsed),
                static_cast<long long>(painted.size()));
    if (!painted.isEmpty())
        std::printf(", first \"%s\", last \"%s\"", qPrintable(painted.first()), qPrintable(painted.last()));
    std::printf("\n");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || (std::strcmp(argv[1], "start") != 0 && std::strcmp(argv[1], "list25") != 0)) {
        std::fputs("usage: borvelin-window-bench start|list25\n", stderr);
        return 2;
    }
    const bool startOnly = std::strcmp(argv[1], "start") == 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("BORVELIN"));
    Module1::Main();
    int result = 0;
    bool seen = false;
    PaintWatch firstPaint(Module1::MainForm, [&](QObject*) {
        if (seen)
            return;
        seen = true;
        QTimer::singleShot(0, [&] {
            if (!startOnly)
                result = timeList25();
            QApplication::quit();
        });
    });
    QApplication::exec();
    delete Module1::MainForm;
    return result;
}
