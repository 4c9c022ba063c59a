// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/RegistryTypes.h"

// The Windows registry's ANSI functions behind the Registry calls, kept free of Qt so
// that they build with nothing but a Windows C++ compiler.
namespace Registry::Windows {

LONG openKey(HKEY root, const char* subKey, DWORD options, DWORD access, HKEY* result);
LONG queryValue(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, unsigned char* data, DWORD* size);
LONG closeKey(HKEY key);

} // namespace Registry::Windows
