// SPDX-License-Identifier: GPL-3.0-or-later
// Times the window program as its user meets it, in the current directory:
//   borvelin-window-bench start    starts as the program does and quits once the main
//                                  window is first painted (time it from outside)
//   borvelin-window-bench list25   runs List of 25+ from the File menu and prints its
//                                  time in ms and the progress texts painted meanwhile
//   borvelin-window-bench list     keeps the folder's QSL.TXT in the window: prints the
//                                  time until the list is shown, the time to jump to its
//                                  second last line and paint it, to find, sort, show
//                                  only the lines with findings (after a Check List),
//                                  edit and save, and the memory, one "name value" a line
#include "keptlist/KeptList.h"
#include "shell/ListModel.h"
#include "shell/ListPanel.h"
#include "shell/Module1.h"
#include "shell/StatusBar.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QStringList>
#include <QTableView>
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

// The memory the process holds now, and the most it held, in KiB (Linux).
long residentKib(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(static_cast<qsizetype>(std::strlen(field))).trimmed().split(' ').value(0).toLong();
    return -1;
}

void print(const char* name, qint64 value)
{
    std::printf("%s %lld\n", name, static_cast<long long>(value));
}

// Paints the table at once, as the screen would show it.
void paint(QTableView& table)
{
    table.viewport()->repaint();
    QApplication::processEvents();
}

int timeTheList(QElapsedTimer& sinceStart)
{
    frmMain* window = Module1::MainForm;
    ListPanel* list = window->List;
    if (list->loading()) {
        QEventLoop read;
        QObject::connect(list, &ListPanel::loaded, &read, &QEventLoop::quit);
        read.exec();
    }
    if (!list->hasList())
        return 1;
    QTableView& table = *list->tblList;
    paint(table);
    print("open_ms", sinceStart.elapsed());
    const qint64 rows = list->Model->rowCount();
    print("rows", rows);
    print("rss_after_open_kib", residentKib("VmRSS:"));

    QElapsedTimer clock;
    clock.start();
    const QModelIndex last = list->Model->index(static_cast<int>(rows - 2), ListModel::CallColumn);
    table.setCurrentIndex(last);
    table.scrollTo(last, QAbstractItemView::PositionAtCenter);
    paint(table);
    print("jump_to_second_last_line_ms", clock.elapsed());

    clock.restart();
    const QString lastCall = last.data().toString();
    list->selectStation(lastCall);
    print("find_a_call_on_the_second_last_line_ms", clock.elapsed());

    clock.restart();
    list->Model->sort(ListModel::CallColumn, Qt::AscendingOrder);
    paint(table);
    print("sort_by_call_ms", clock.elapsed());
    print("rss_after_sort_kib", residentKib("VmRSS:"));
    clock.restart();
    list->Model->sort(ListModel::LineColumn, Qt::AscendingOrder);
    paint(table);
    print("back_to_the_lists_order_ms", clock.elapsed());

    if (list->Model->hasFindings()) {
        print("findings_shown", 1);
        clock.restart();
        list->chkFindingsOnly->setChecked(true);
        paint(table);
        print("only_lines_with_findings_ms", clock.elapsed());
        print("lines_with_findings", list->Model->rowCount());
        print("rss_with_findings_only_kib", residentKib("VmRSS:"));
        list->chkFindingsOnly->setChecked(false);
    }

    clock.restart();
    list->Model->replaceRow(0, list->Model->list()->row(0) + " New Manager");
    paint(table);
    print("edit_a_line_ms", clock.elapsed());
    clock.restart();
    const bool saved = list->save();
    print("save_ms", clock.elapsed());
    print("peak_rss_kib", residentKib("VmHWM:"));
    return saved ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const bool known = argc == 2 && (std::strcmp(argv[1], "start") == 0 || std::strcmp(argv[1], "list25") == 0 ||
                                     std::strcmp(argv[1], "list") == 0);
    if (!known) {
        std::fputs("usage: borvelin-window-bench start|list25|list\n", stderr);
        return 2;
    }
    const bool startOnly = std::strcmp(argv[1], "start") == 0;
    const bool keepTheList = std::strcmp(argv[1], "list") == 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("BORVELIN"));
    QElapsedTimer sinceStart;
    sinceStart.start();
    Module1::Main();
    int result = 0;
    bool seen = false;
    PaintWatch firstPaint(Module1::MainForm, [&](QObject*) {
        if (seen)
            return;
        seen = true;
        QTimer::singleShot(0, [&] {
            if (keepTheList)
                result = timeTheList(sinceStart);
            else if (!startOnly)
                result = timeList25();
            QApplication::quit();
        });
    });
    QApplication::exec();
    delete Module1::MainForm;
    return result;
}
