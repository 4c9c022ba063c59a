// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Files as the window tests write and read them, in the current directory.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

namespace test {

inline void writeBytes(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

inline QByteArray readBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Station lines naming the manager, its call at column 22.
inline QByteArray listLines(int count, const QByteArray& manager = "Q2MGR")
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += ("Q" + QByteArray::number(i % 10) + "A" + QByteArray::number(i)).leftJustified(13) + "QSL via " +
                 manager + "\r\n";
    return bytes;
}

} // namespace test
