// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmGuide.h"

#include "forms/AppIcon.h"
#include "forms/Forms.h"

#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

frmGuide::frmGuide(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmGuide"));
    setWindowTitle(QStringLiteral("BORVELIN User Guide"));
    setWindowIcon(AppIcon());
    setWindowFlags(Qt::Window); // a window of its own, with its own frame and task bar entry
    setAttribute(Qt::WA_DeleteOnClose);
    Forms::track(this);

    txtGuide = new QTextBrowser(this);
    txtGuide->setObjectName(QStringLiteral("txtGuide"));
    txtGuide->setOpenExternalLinks(true);
    QFile guide(GuideResource);
    if (guide.open(QIODevice::ReadOnly))
        txtGuide->setMarkdown(QString::fromUtf8(guide.readAll()));
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setPlaceholderText(QStringLiteral("Search the guide: type a word and press Enter"));
    txtSearch->setClearButtonEnabled(true);
    connect(txtSearch, &QLineEdit::returnPressed, this, &frmGuide::findNext);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtSearch);
    layout->addWidget(txtGuide);
    placeBeside(owner);
}

// As wide as the guide's tables need and most of the screen's height, beside the main
// window where there is room, else over it; never with its title bar off the screen.
void frmGuide::placeBeside(const QWidget* owner)
{
    const QRect screen = (owner ? owner->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    const QSize size(std::min(64 * em, screen.width() * 9 / 10),
                     std::min(48 * fontMetrics().height(), screen.height() * 8 / 10));
    QPoint topLeft = screen.center() - QPoint(size.width() / 2, size.height() / 2);
    if (owner) {
        const QRect main = owner->frameGeometry();
        topLeft = QPoint(main.right() + 1, main.top());
        if (topLeft.x() + size.width() > screen.right())
            topLeft.setX(std::max(screen.left(), screen.right() - size.width()));
    }
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    topLeft.setY(std::clamp(topLeft.y(), screen.top() + titleBar,
                            std::max(screen.top() + titleBar, screen.bottom() - size.height())));
    resize(size);
    move(topLeft);
}

void frmGuide::startSearch()
{
    activateWindow();
    txtSearch->setFocus(Qt::OtherFocusReason);
    txtSearch->selectAll();
}

bool frmGuide::findNext()
{
    const QString text = txtSearch->text();
    if (text.isEmpty())
        return false;
    if (txtGuide->find(text))
        return true;
    txtGuide->moveCursor(QTextCursor::Start);
    return txtGuide->find(text);
}

frmGuide* frmGuide::showGuide(QWidget* owner)
{
    auto* guide = owner->findChild<frmGuide*>(QString(), Qt::FindDirectChildrenOnly);
    if (!guide)
        guide = new frmGuide(owner);
    guide->show();
    guide->raise();
    guide->activateWindow();
    return guide;
}
