#include "shell/Twips.h"

#include <QPaintDevice>
#include <QWidget>

#include <cmath>

namespace Twips {

int toPixelsX(const QPaintDevice& device, double twips)
{
    return static_cast<int>(std::lround(twips * device.logicalDpiX() / PerInch));
}

int toPixelsY(const QPaintDevice& device, double twips)
{
    return static_cast<int>(std::lround(twips * device.logicalDpiY() / PerInch));
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
    widget.setGeometry(toPixelsX(widget, left), toPixelsY(widget, top), toPixelsX(widget, width), toPixelsY(widget, height));
}

} // namespace Twips
