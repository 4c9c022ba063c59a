// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/WindowsRegistry.h"

#include <windows.h>

#include <cstdint>

namespace Registry::Windows {

namespace {

// The predefined roots are 32-bit values, which the Windows headers widen to a handle
// with their sign bit; they are passed in that form. Opened keys are real handles.
::HKEY toHandle(HKEY key)
{
    if (key >= 0x80000000u && key <= 0x800000FFu)
        return reinterpret_cast<::HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(key)));
    return reinterpret_cast<::HKEY>(key);
}

} // namespace

LONG openKey(HKEY root, const char* subKey, DWORD options, DWORD access, HKEY* result)
{
    ::HKEY opened = nullptr;
    const LONG rc = ::RegOpenKeyExA(toHandle(root), subKey, options, access, &opened);
    *result = reinterpret_cast<HKEY>(opened);
    return rc;
}

LONG queryValue(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, unsigned char* data, DWORD* size)
{
    ::DWORD valueType = 0;
    ::DWORD valueSize = *size;
    const LONG rc = ::RegQueryValueExA(toHandle(key), valueName, reinterpret_cast<::LPDWORD>(reserved), &valueType,
                                       data, &valueSize);
    *type = valueType;
    *size = valueSize;
    return rc;
}

LONG closeKey(HKEY key)
{
    return ::RegCloseKey(toHandle(key));
}

} // namespace Registry::Windows
