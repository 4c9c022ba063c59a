// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

// The dialogs are laid out as designed, in twips, with fixed frames.

// Names the dialog, gives it a fixed frame with a close button only, its caption and
// its client size, and keeps it in the program's list of open windows.
void setUpDialog(QDialog& dialog, const char* name, const QString& caption, int widthTwips, int heightTwips);
QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                       int height);
// A label of plain text, wrapped, at the top left of its box.
QLabel* addLabel(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height);
