// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScratchRegistry.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryFile>

#include <windows.h>

namespace test::ScratchRegistry {

namespace {

const wchar_t* const TestsKey = L"Software\\BORVELIN tests";
const QByteArray ScratchPath = "HKEY_CURRENT_USER\\Software\\BORVELIN tests\\Local Machine";

HKEY scratch = nullptr;

} // namespace

bool redirectLocalMachine()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, TestsKey); // left by a run that was stopped
    const std::wstring path = QString::fromLatin1(ScratchPath.mid(ScratchPath.indexOf('\\') + 1)).toStdWString();
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch, nullptr) !=
        ERROR_SUCCESS)
        return false;
    return RegOverridePredefKey(HKEY_LOCAL_MACHINE, scratch) == ERROR_SUCCESS;
}

void clear()
{
    // The scratch key itself stays: the redirection holds a handle to it.
    RegDeleteTreeW(scratch, nullptr);
}

bool import(const QByteArray& regText)
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/borvelin-XXXXXX.reg"));
    if (!file.open())
        return false;
    file.write("Windows Registry Editor Version 5.00\r\n\r\n" +
               QByteArray(regText).replace("[HKEY_LOCAL_MACHINE\\", "[" + ScratchPath + "\\"));
    file.close();
    return QProcess::execute(QStringLiteral("reg.exe"),
                             {QStringLiteral("import"), QDir::toNativeSeparators(file.fileName())}) == 0;
}

void restore()
{
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(scratch);
    scratch = nullptr;
    RegDeleteTreeW(HKEY_CURRENT_USER, TestsKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, TestsKey);
}

} // namespace test::ScratchRegistry
