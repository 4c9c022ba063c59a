// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/AppIcon.h"

namespace {

// The sizes rendered from the icon's drawing; the build puts each in the resources.
constexpr int IconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QString iconResource(int size)
{
    return QStringLiteral(":/icons/%1.png").arg(size);
}

} // namespace

QIcon AppIcon()
{
    QIcon icon;
    for (const int size : IconSizes)
        icon.addFile(iconResource(size), QSize(size, size));
    return icon;
}

QPixmap AppPicture()
{
    return QPixmap(iconResource(32));
}
