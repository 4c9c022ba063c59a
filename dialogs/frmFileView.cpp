// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frmFileView.h"

#include "forms/AppIcon.h"
#include "forms/Forms.h"
#include "forms/ListText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextCursor>
#include <QVBoxLayout>

frmFileView::frmFileView(QWidget* owner, const QString& path) : QDialog(owner), path_(path)
{
    setObjectName(QStringLiteral("frmFileView"));
    setWindowTitle(QFileInfo(path).fileName() + QStringLiteral(" - BORVELIN"));
    setWindowIcon(AppIcon());
    setWindowFlags(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    Forms::track(this);

    lblFile = new QLabel(this);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->setWordWrap(true);
    lblFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    txtFile = new QPlainTextEdit(this);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setReadOnly(true);
    txtFile->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtFile->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblFile);
    layout->addWidget(txtFile, 1);

    const QRect screen = (owner ? owner->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    resize(std::min(100 * fontMetrics().horizontalAdvance(QLatin1Char('M')), screen.width() * 9 / 10),
           std::min(40 * fontMetrics().height(), screen.height() * 8 / 10));
    readFile();
}

void frmFileView::readFile()
{
    QFile file(path_);
    const QString shownPath = QDir::toNativeSeparators(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        lblFile->setText(QStringLiteral("%1 cannot be read: %2").arg(shownPath, file.errorString()));
        txtFile->clear();
        return;
    }
    const qint64 size = file.size();
    const qint64 skipped = std::max<qint64>(0, size - MostBytesShown);
    file.seek(skipped);
    QByteArray bytes = file.readAll();
    if (skipped > 0) // from the first whole line on
        bytes.remove(0, bytes.indexOf('\n') + 1);
    bytes.replace("\r\n", "\n").replace('\r', '\n');
    txtFile->setPlainText(
        ListText::toText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    const QString sizeText = QLocale().formattedDataSize(size, 1, QLocale::DataSizeSIFormat);
    lblFile->setText(skipped > 0 ? QStringLiteral("%1 (%2): its last %3, read-only.")
                                       .arg(shownPath, sizeText,
                                            QLocale().formattedDataSize(MostBytesShown, 0, QLocale::DataSizeSIFormat))
                                 : QStringLiteral("%1 (%2), read-only.").arg(shownPath, sizeText));
    txtFile->moveCursor(QTextCursor::End); // the newest entries
    txtFile->ensureCursorVisible();
}

frmFileView* frmFileView::showFile(QWidget* owner, const QString& path)
{
    frmFileView* view = nullptr;
    for (auto* open : owner->findChildren<frmFileView*>(QString(), Qt::FindDirectChildrenOnly))
        if (open->path() == path)
            view = open;
    if (view)
        view->readFile();
    else
        view = new frmFileView(owner, path);
    view->show();
    view->raise();
    view->activateWindow();
    return view;
}
