// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/CorePath.h"

#include <QDir>

std::string corePath(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

QString fromCore(const std::string& text)
{
    return QString::fromStdString(text);
}
