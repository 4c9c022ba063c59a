// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPaintDevice;
class QWidget;

// Window coordinates are kept in twips (1/1440 inch); the screen's logical DPI turns
// them into pixels and back.
namespace Twips {

constexpr double PerInch = 1440.0;

int toPixelsX(const QPaintDevice& device, double twips);
int toPixelsY(const QPaintDevice& device, double twips);
double fromPixelsX(const QPaintDevice& device, int pixels);
double fromPixelsY(const QPaintDevice& device, int pixels);

// Sets a control's position and size, given in twips.
void place(QWidget& widget, int left, int top, int width, int height);

} // namespace Twips
