// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/FilePath.h"

#include <new>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace borvelin {

#ifdef _WIN32

// MultiByteToWideChar rather than std::filesystem's own conversion: a char path would go
// through the ANSI code page, and bytes that are no UTF-8 become U+FFFD instead of an
// exception.
std::filesystem::path nativePath(std::string_view path)
{
    if (path.empty())
        return {};
    const int size = static_cast<int>(path.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, path.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.data(), size, wide.data(), static_cast<int>(wide.size()));
    return std::filesystem::path(std::move(wide));
}

std::string pathText(const std::filesystem::path& path)
{
    const std::wstring& wide = path.native();
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    std::string text(
        static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    return text;
}

std::FILE* openNativeFile(const std::filesystem::path& path, const char* mode)
{
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode)); // ASCII letters
    return _wfopen(path.c_str(), wideMode.c_str());
}

#else

std::filesystem::path nativePath(std::string_view path)
{
    return std::filesystem::path(path);
}

std::string pathText(const std::filesystem::path& path)
{
    return path.native();
}

std::FILE* openNativeFile(const std::filesystem::path& path, const char* mode)
{
    return std::fopen(path.c_str(), mode);
}

#endif

std::FILE* openFile(const std::string& path, const char* mode)
{
    return openNativeFile(nativePath(path), mode);
}

bool removeFile(const std::string& path) noexcept
{
    try {
        std::error_code ec;
        return std::filesystem::remove(nativePath(path), ec);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace borvelin
