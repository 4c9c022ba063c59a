// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// On Windows, System Info reads the registry itself. For the tests, HKEY_LOCAL_MACHINE is
// redirected, in the test process only, to a scratch key of the current user, and the keys
// are written there by reg.exe from the same .reg text that the store elsewhere holds.
namespace test::ScratchRegistry {

// Points HKEY_LOCAL_MACHINE at the scratch key, made empty; false when that fails.
bool redirectLocalMachine();
// Removes every key and value under the scratch key.
void clear();
// Imports `regText` ([HKEY_LOCAL_MACHINE\...] sections and "name"=value lines) into the
// scratch key with `reg import`; false when reg.exe refuses it.
bool import(const QByteArray& regText);
// Lets the key `keyPath` under HKEY_LOCAL_MACHINE be opened for reading only, as Windows
// keeps that root for a user who is not an administrator; false when that fails.
bool allowReadingOnly(const QByteArray& keyPath);
// Gives HKEY_LOCAL_MACHINE back and removes the scratch key.
void restore();

} // namespace test::ScratchRegistry
