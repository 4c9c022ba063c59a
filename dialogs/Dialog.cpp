#include "dialogs/Dialog.h"

#include "shell/FixedDialog.h"
#include "shell/Forms.h"
#include "shell/Twips.h"

#include <QPushButton>

Dialog::Dialog(QWidget* owner) : QDialog(owner, FixedDialogFlags)
{
    setObjectName(QStringLiteral("Dialog"));
    Forms::track(this);
    setWindowTitle(QStringLiteral("Dialog Caption"));
    setFixedSize(Twips::toPixelsX(*this, 6030), Twips::toPixelsY(*this, 3195));
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    Twips::place(*OKButton, 4680, 120, 1215, 375);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    Twips::place(*CancelButton, 4680, 600, 1215, 375);
}
