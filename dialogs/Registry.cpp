// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/Registry.h"

#ifdef Q_OS_WIN

#include "dialogs/WindowsRegistry.h"

namespace Registry {

LONG RegOpenKeyEx(HKEY root, const QByteArray& subKey, DWORD options, DWORD access, HKEY* result)
{
    return Windows::openKey(root, subKey.constData(), options, access, result);
}

LONG RegQueryValueEx(HKEY key, const QByteArray& valueName, DWORD* reserved, DWORD* type, unsigned char* data,
                     DWORD* size)
{
    return Windows::queryValue(key, valueName.constData(), reserved, type, data, size);
}

LONG RegCloseKey(HKEY key)
{
    return Windows::closeKey(key);
}

QString storePath()
{
    return {};
}

} // namespace Registry

#else

#include <QFile>
#include <QHash>
#include <QStandardPaths>

#include <cstring>

namespace Registry {

namespace {

struct Value {
    DWORD type = REG_BINARY;
    QByteArray bytes;
};

using Key = QHash<QByteArray, Value>; // by lower-case value name

QByteArray rootName(HKEY root)
{
    return root == HKEY_LOCAL_MACHINE ? QByteArrayLiteral("HKEY_LOCAL_MACHINE") : QByteArray();
}

QByteArray unquote(const QByteArray& quoted)
{
    QByteArray text;
    for (qsizetype i = 1; i + 1 < quoted.size(); ++i) {
        if (quoted[i] == '\\' && i + 2 < quoted.size())
            ++i; // \\ and \" stand for themselves
        text += quoted[i];
    }
    return text;
}

Value parseValue(const QByteArray& text)
{
    if (text.startsWith('"') && text.endsWith('"') && text.size() >= 2)
        return {REG_SZ, unquote(text) + '\0'};
    if (text.toLower().startsWith("dword:")) {
        bool ok = false;
        const DWORD number = text.mid(6).trimmed().toUInt(&ok, 16);
        QByteArray bytes(sizeof number, '\0');
        std::memcpy(bytes.data(), &number, sizeof number); // little-endian, as the registry keeps it
        return {ok ? REG_DWORD : REG_BINARY, ok ? bytes : text};
    }
    if (text.toLower().startsWith("hex:"))
        return {REG_BINARY, QByteArray::fromHex(text.mid(4).replace(',', ""))};
    return {REG_BINARY, text};
}

// Reads the section of `keyPath` from the store; false when the store or the key is missing.
bool loadKey(const QByteArray& keyPath, Key& key)
{
    QFile store(storePath());
    if (!store.open(QIODevice::ReadOnly))
        return false;
    const QByteArray wanted = keyPath.toLower();
    bool inKey = false;
    bool found = false;
    while (!store.atEnd()) {
        const QByteArray line = store.readLine().trimmed();
        if (line.startsWith('[') && line.endsWith(']')) {
            inKey = line.mid(1, line.size() - 2).trimmed().toLower() == wanted;
            found = found || inKey;
            continue;
        }
        const qsizetype equals = line.indexOf("\"=");
        if (!inKey || !line.startsWith('"') || equals < 0)
            continue;
        key.insert(unquote(line.left(equals + 1)).toLower(), parseValue(line.mid(equals + 2).trimmed()));
    }
    return found;
}

QHash<HKEY, Key>& openKeys()
{
    static QHash<HKEY, Key> keys;
    return keys;
}

} // namespace

QString storePath()
{
    const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    // The first folder is the user's own; the others are the system-wide ones.
    for (qsizetype i = 1; i < folders.size(); ++i) {
        const QString candidate = folders[i] + QStringLiteral("/BORVELIN/registry.ini");
        if (QFile::exists(candidate))
            return candidate;
    }
    return folders.size() > 1 ? folders[1] + QStringLiteral("/BORVELIN/registry.ini") : QString();
}

LONG RegOpenKeyEx(HKEY root, const QByteArray& subKey, DWORD, DWORD, HKEY* result)
{
    static HKEY nextHandle = 0x1000;
    *result = 0;
    const QByteArray name = rootName(root);
    Key key;
    if (name.isEmpty() || !loadKey(name + '\\' + subKey, key))
        return ERROR_FILE_NOT_FOUND;
    *result = nextHandle++;
    openKeys().insert(*result, key);
    return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY handle, const QByteArray& valueName, DWORD*, DWORD* type, unsigned char* data, DWORD* size)
{
    const auto key = openKeys().constFind(handle);
    if (key == openKeys().constEnd())
        return ERROR_INVALID_HANDLE;
    const auto value = key->constFind(valueName.toLower());
    if (value == key->constEnd())
        return ERROR_FILE_NOT_FOUND;
    *type = value->type;
    const auto needed = static_cast<DWORD>(value->bytes.size());
    const DWORD room = *size;
    *size = needed;
    if (needed > room)
        return ERROR_MORE_DATA;
    std::memcpy(data, value->bytes.constData(), needed);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    return openKeys().remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

} // namespace Registry

#endif
