// SPDX-License-Identifier: GPL-3.0-or-later
// Shows what Windows itself reads from the program's files, through its own calls:
//   windows-file-info version PROGRAM.exe   the version information (Explorer's Details tab)
//   windows-file-info manifest PROGRAM.exe  the manifest, and whether Windows accepts it
//   windows-file-info link SHORTCUT.lnk     a shortcut's program, arguments and start folder
//   windows-file-info codepage              the ANSI code page programs run under
// The text goes to standard output in UTF-8; the exit status is 1 when a file cannot be read.
#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const std::wstring& wide)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    std::string text(
        static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    return text;
}

void show(const char* name, const std::wstring& value)
{
    std::printf("%s=%s\n", name, utf8(value).c_str());
}

int showVersion(const wchar_t* file)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
    std::string data(size, '\0');
    if (size == 0 || !GetFileVersionInfoW(file, 0, size, data.data()))
        return 1;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof *fixed)
        return 1;
    const auto version = [](DWORD high, DWORD low) {
        return std::to_string(HIWORD(high)) + '.' + std::to_string(LOWORD(high)) + '.' + std::to_string(HIWORD(low)) +
               '.' + std::to_string(LOWORD(low));
    };
    std::printf("FILEVERSION=%s\n", version(fixed->dwFileVersionMS, fixed->dwFileVersionLS).c_str());
    std::printf("PRODUCTVERSION=%s\n", version(fixed->dwProductVersionMS, fixed->dwProductVersionLS).c_str());
    for (const wchar_t* name : {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName", L"LegalCopyright",
                                L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        wchar_t* value = nullptr;
        if (VerQueryValueW(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) && value)
            show(utf8(name).c_str(), value);
    }
    return 0;
}

int showManifest(const wchar_t* file)
{
    HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return 1;
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    if (!loaded) {
        FreeLibrary(module);
        return 1;
    }
    const auto* text = static_cast<const char*>(LockResource(loaded));
    std::fwrite(text, 1, SizeofResource(module, resource), stdout);
    FreeLibrary(module);
    // Windows reads the manifest as it starts the program: one it refuses, it does not start.
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = file;
    context.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE activation = CreateActCtxW(&context);
    if (activation == INVALID_HANDLE_VALUE) {
        std::printf("\nACTIVATION=refused (error %s)\n", std::to_string(GetLastError()).c_str());
        return 1;
    }
    ReleaseActCtx(activation);
    std::printf("\nACTIVATION=accepted\n");
    return 0;
}

int showLink(const wchar_t* file)
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    int status = 1;
    IShellLinkW* link = nullptr;
    IPersistFile* persisted = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persisted))) &&
        SUCCEEDED(persisted->Load(file, STGM_READ))) {
        wchar_t text[MAX_PATH * 4] = {};
        if (SUCCEEDED(link->GetPath(text, MAX_PATH * 4, nullptr, SLGP_RAWPATH)))
            show("TARGET", text);
        text[0] = 0;
        if (SUCCEEDED(link->GetArguments(text, MAX_PATH * 4)))
            show("ARGUMENTS", text);
        text[0] = 0;
        if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH * 4)))
            show("WORKINGDIRECTORY", text);
        status = 0;
    }
    if (persisted)
        persisted->Release();
    if (link)
        link->Release();
    CoUninitialize();
    return status;
}

} // namespace

int main()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::wstring what = count > 1 ? arguments[1] : L"";
    int status = 2;
    if (what == L"codepage" && count == 2) {
        std::printf("ACP=%s\n", std::to_string(GetACP()).c_str());
        status = 0;
    } else if (count == 3 && what == L"version") {
        status = showVersion(arguments[2]);
    } else if (count == 3 && what == L"manifest") {
        status = showManifest(arguments[2]);
    } else if (count == 3 && what == L"link") {
        status = showLink(arguments[2]);
    } else {
        std::fputs("Usage: windows-file-info version|manifest PROGRAM.exe | link SHORTCUT.lnk | codepage\n", stderr);
    }
    LocalFree(arguments);
    return status;
}
