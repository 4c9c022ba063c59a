// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScratchRegistry.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryFile>

#include <windows.h>

#include <sddl.h>

#include <string>
#include <vector>

namespace test::ScratchRegistry {

namespace {

const wchar_t* const TestsKey = L"Software\\BORVELIN tests";
const QByteArray ScratchPath = "HKEY_CURRENT_USER\\Software\\BORVELIN tests\\Local Machine";

HKEY scratch = nullptr;
std::vector<std::wstring> readOnlyKeys; // below the scratch key

// Gives the key below the scratch key the access list `sddl` (a DACL in SDDL).
bool setAccess(const std::wstring& key, const wchar_t* sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    HKEY handle = nullptr;
    bool done = RegOpenKeyExW(scratch, key.c_str(), 0, WRITE_DAC, &handle) == ERROR_SUCCESS;
    if (done) {
        done = RegSetKeySecurity(handle, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
        RegCloseKey(handle);
    }
    LocalFree(descriptor);
    return done;
}

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
    for (const std::wstring& key : readOnlyKeys)
        setAccess(key, L"D:P(A;;KA;;;WD)"); // everyone may do everything again, deleting too
    readOnlyKeys.clear();
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

bool allowReadingOnly(const QByteArray& keyPath)
{
    const std::wstring key = QString::fromLatin1(keyPath).toStdWString();
    readOnlyKeys.push_back(key);
    return setAccess(key, L"D:P(A;;KR;;;WD)"); // everyone may read, no one may write
}

void restore()
{
    clear();
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(scratch);
    scratch = nullptr;
    RegDeleteTreeW(HKEY_CURRENT_USER, TestsKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, TestsKey);
}

} // namespace test::ScratchRegistry
