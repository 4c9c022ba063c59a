// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/RegistryTypes.h"

#include <QByteArray>
#include <QString>

// The registry calls System Info relies on, with their result codes. On Windows they
// are the registry's own. Elsewhere the keys live in an INI-format store that an
// administrator keeps in the system-wide settings folder (BORVELIN/registry.ini under
// $XDG_CONFIG_DIRS, /etc/xdg by default), one section per key and one line per value:
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO]
//   "PATH"="/usr/bin/hardinfo"
//   "Build"=dword:0000001f
//
// A quoted value is REG_SZ, dword:XXXXXXXX is REG_DWORD, hex:xx,xx,... REG_BINARY.
// Key and value names ignore letter case, as the registry's do.
namespace Registry {

LONG RegOpenKeyEx(HKEY root, const QByteArray& subKey, DWORD options, DWORD access, HKEY* result);
LONG RegQueryValueEx(HKEY key, const QByteArray& valueName, DWORD* reserved, DWORD* type, unsigned char* data,
                     DWORD* size);
LONG RegCloseKey(HKEY key);

// Where the store is read from on systems without a registry.
QString storePath();

} // namespace Registry
