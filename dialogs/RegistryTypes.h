// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The registry's handle, number and result types and the constants System Info uses,
// in the sizes the registry functions give them, without the Windows headers.
namespace Registry {

using HKEY = std::uintptr_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;

// A predefined root: a 32-bit value, which Windows widens with its sign bit.
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
// Reading values is all System Info does, and all that Windows grants an ordinary user
// under HKEY_LOCAL_MACHINE.
constexpr DWORD KEY_QUERY_VALUE = 0x0001;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_MORE_DATA = 234;

} // namespace Registry
