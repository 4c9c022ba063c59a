// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Arguments.h"

#ifdef _WIN32
#include "jobs/FilePath.h"

#include <windows.h>

#include <shellapi.h>
#endif

namespace borvelin::cli {

#ifdef _WIN32

std::vector<std::string> utf8Arguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return {argv, argv + argc};
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        arguments.push_back(pathText(std::filesystem::path(wide[i])));
    LocalFree(wide);
    return arguments;
}

#else

std::vector<std::string> utf8Arguments(int argc, char** argv)
{
    return {argv, argv + argc};
}

#endif

} // namespace borvelin::cli
