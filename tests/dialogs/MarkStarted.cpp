// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the system information tool in the dialog tests on Windows: started, it
// leaves an empty file named "started" beside itself.
#include <windows.h>

#include <string>

int main()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring mark(path, length);
    mark.erase(mark.find_last_of(L"\\/") + 1) += L"started";
    const HANDLE file =
        CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    CloseHandle(file);
    return 0;
}
