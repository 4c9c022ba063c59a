// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/DialogControls.h"

#include "forms/Forms.h"
#include "forms/Twips.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

void setUpDialog(QDialog& dialog, const char* name, const QString& caption, int widthTwips, int heightTwips)
{
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
    dialog.setWindowTitle(caption);
    dialog.setFixedSize(Twips::toPixelsX(dialog, widthTwips), Twips::toPixelsY(dialog, heightTwips));
    Forms::track(&dialog);
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                       int height)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    Twips::place(*button, left, top, width, height);
    return button;
}

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    Twips::place(*label, left, top, width, height);
    return label;
}
