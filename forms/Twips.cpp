// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/Twips.h"

#include <QPaintDevice>
#include <QWidget>

#include <cmath>

namespace Twips {

namespace {

// Only a damaged settings store holds positions beyond the largest a widget may take;
// clamped, they stay ints, and a rectangle's edges cannot overflow.
int clampedPixels(double pixels)
{
    constexpr double limit = QWIDGETSIZE_MAX;
    if (!(pixels > -limit)) // NaN included
        return -QWIDGETSIZE_MAX;
    if (pixels > limit)
        return QWIDGETSIZE_MAX;
    return static_cast<int>(std::lround(pixels));
}

} // namespace

int toPixelsX(const QPaintDevice& device, double twips)
{
    return clampedPixels(twips * device.logicalDpiX() / PerInch);
}

int toPixelsY(const QPaintDevice& device, double twips)
{
    return clampedPixels(twips * device.logicalDpiY() / PerInch);
}

double fromPixelsX(const QPaintDevice& device, int pixels)
{
    return pixels * PerInch / device.logicalDpiX();
}

double fromPixelsY(const QPaintDevice& device, int pixels)
{
    return pixels * PerInch / device.logicalDpiY();
}

void place(QWidget& widget, int left, int top, int width, int height)
{
    widget.setGeometry(toPixelsX(widget, left), toPixelsY(widget, top), toPixelsX(widget, width),
                       toPixelsY(widget, height));
}

} // namespace Twips
