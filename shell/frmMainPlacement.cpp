// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's placement: applied from the settings at start, kept at the end.
#include "shell/frmMain.h"

#include "forms/Twips.h"
#include "shell/WindowPlacement.h"

#include <QDir>
#include <QGuiApplication>
#include <QLockFile>
#include <QScreen>
#include <QStandardPaths>

#include <algorithm>

namespace {

bool liesOnAnyScreen(const QRect& frame)
{
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&frame](const QScreen* screen) { return screen->geometry().intersects(frame); });
}

// A frame more than twice the size of all screens together comes from a damaged
// settings store, not from the user; the window system could not even draw it.
bool fitsTheDesktop(const QRect& frame)
{
    QRect desktop;
    for (const QScreen* screen : QGuiApplication::screens())
        desktop |= screen->geometry();
    return frame.width() <= 2 * desktop.width() && frame.height() <= 2 * desktop.height();
}

// A frame kept from a larger screen, or from a larger scale (QT_SCALE_FACTOR), is made
// to fit the screen it lies on, whole, title bar and all. Windows puts a maximized
// window's border just beyond the screen: a frame that much larger is left as it is.
QRect fittedToItsScreen(const QRect& frame)
{
    constexpr int BorderBeyondTheScreen = 32;
    const QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return frame;
    const QRect room = screen->availableGeometry();
    if (frame.width() <= room.width() + BorderBeyondTheScreen &&
        frame.height() <= room.height() + BorderBeyondTheScreen)
        return frame;
    QRect fitted(frame.topLeft(), frame.size().boundedTo(room.size()));
    fitted.moveLeft(std::clamp(fitted.left(), room.left(), room.right() + 1 - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), room.top(), room.bottom() + 1 - fitted.height()));
    return fitted;
}

// Which of the program's windows open at once this one is, 0 for the first: each holds
// a lock file of its own for as long as it is open.
std::unique_ptr<QLockFile> claimWindowSlot(int& slot)
{
    constexpr int Slots = 8;
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    for (slot = 0; slot < Slots; ++slot) {
        auto lock = std::make_unique<QLockFile>(folder.filePath(QStringLiteral("borvelin-window-%1.lock").arg(slot)));
        if (lock->tryLock(0))
            return lock;
    }
    slot = 0;
    return nullptr;
}

} // namespace

// Two windows started one after the other would lie exactly on top of each other: the
// second steps right and down by the height of a title bar.
void frmMain::applyStoredPlacement()
{
    windowSlot_ = claimWindowSlot(cascadeSteps_);
    const WindowPlacement stored = WindowPlacement::load();
    auto toFrame = [this](const WindowPlacement& placement) {
        return QRect(Twips::toPixelsX(*this, placement.MainLeft), Twips::toPixelsY(*this, placement.MainTop),
                     Twips::toPixelsX(*this, placement.MainWidth), Twips::toPixelsY(*this, placement.MainHeight));
    };
    QRect frame = toFrame(stored);
    if (frame.width() <= 0 || frame.height() <= 0 || !liesOnAnyScreen(frame) || !fitsTheDesktop(frame))
        frame = toFrame(WindowPlacement{});
    const QPoint cascade(Twips::toPixelsX(*this, CascadeTwips * cascadeSteps_),
                         Twips::toPixelsY(*this, CascadeTwips * cascadeSteps_));
    if (liesOnAnyScreen(frame.translated(cascade)))
        frame.translate(cascade);
    frame = fittedToItsScreen(frame);
    move(frame.topLeft());
    outerSize_ = frame.size();
    applyOuterSize();
}

// The stored width and height include the window frame, which the window system may
// add only after the window is on screen: once it is there, the size is applied again.
void frmMain::applyOuterSize()
{
    resize(outerSize_ - frameExtent());
}

QSize frmMain::frameExtent() const
{
    return frameGeometry().size() - geometry().size();
}

void frmMain::settleOuterSize()
{
    if (outerSizeSettled_ || !isVisible() || frameExtent().isNull())
        return;
    outerSizeSettled_ = true;
    applyOuterSize();
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    settleOuterSize();
}

void frmMain::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    settleOuterSize();
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    settleOuterSize();
}

void frmMain::saveCurrentPlacement() const
{
    const QRect frame = frameGeometry();
    WindowPlacement placement;
    placement.MainLeft = static_cast<float>(Twips::fromPixelsX(*this, frame.x()));
    placement.MainTop = static_cast<float>(Twips::fromPixelsY(*this, frame.y()));
    placement.MainWidth = static_cast<float>(Twips::fromPixelsX(*this, frame.width()));
    placement.MainHeight = static_cast<float>(Twips::fromPixelsY(*this, frame.height()));
    placement.save();
}
