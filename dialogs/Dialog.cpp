// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/Dialog.h"

#include "forms/DialogControls.h"

#include <QPushButton>

Dialog::Dialog(QWidget* owner) : QDialog(owner)
{
    setUpDialog(*this, "Dialog", QStringLiteral("Dialog Caption"), 6030, 3195);
    OKButton = addButton(this, "OKButton", QStringLiteral("OK"), 4680, 120, 1215, 375);
    CancelButton = addButton(this, "CancelButton", QStringLiteral("Cancel"), 4680, 600, 1215, 375);
}
