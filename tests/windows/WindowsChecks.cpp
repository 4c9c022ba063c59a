// SPDX-License-Identifier: GPL-3.0-or-later
// Checks of the code paths that exist only on Windows, built by the cross-compiler and
// run under wine (or on Windows itself). GoogleTest is not available for that target,
// so the checks count their own failures.
#include "dialogs/WindowsRegistry.h"
#include "jobs/NewFile.h"
#include "jobs/OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace borvelin;

int passed = 0;
int failed = 0;

void check(bool condition, const char* what)
{
    if (condition) {
        ++passed;
        return;
    }
    ++failed;
    std::cerr << "FAILED: " << what << '\n';
}

std::string readFile(const fs::path& name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& name, const std::string& bytes)
{
    std::ofstream(name, std::ios::binary) << bytes;
}

constexpr Registry::DWORD KEY_READ = 0x20019;
const char* const VersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

void registryReadsTextValuesUnderTheLocalMachineRoot()
{
    Registry::HKEY key = 0;
    check(Registry::Windows::openKey(Registry::HKEY_LOCAL_MACHINE, VersionKey, 0, KEY_READ, &key) ==
              Registry::ERROR_SUCCESS,
          "the version key opens under HKEY_LOCAL_MACHINE");
    check(key != 0, "an opened key has a handle");

    unsigned char buffer[1024] = {};
    Registry::DWORD size = sizeof buffer;
    Registry::DWORD type = 0;
    check(Registry::Windows::queryValue(key, "CurrentVersion", nullptr, &type, buffer, &size) ==
              Registry::ERROR_SUCCESS,
          "CurrentVersion reads");
    check(type == Registry::REG_SZ, "CurrentVersion is text");
    check(size > 1 && buffer[0] != 0, "CurrentVersion is not empty");

    unsigned char tooSmall[1] = {};
    size = sizeof tooSmall;
    check(Registry::Windows::queryValue(key, "CurrentVersion", nullptr, &type, tooSmall, &size) ==
              Registry::ERROR_MORE_DATA,
          "a value larger than the buffer is refused");

    size = sizeof buffer;
    check(Registry::Windows::queryValue(key, "No Such Value", nullptr, &type, buffer, &size) ==
              Registry::ERROR_FILE_NOT_FOUND,
          "a missing value is not found");
    check(Registry::Windows::closeKey(key) == Registry::ERROR_SUCCESS, "the key closes");
}

void registryReportsAMissingKey()
{
    Registry::HKEY key = 1;
    check(Registry::Windows::openKey(Registry::HKEY_LOCAL_MACHINE, "SOFTWARE\\Q1ABC\\No Such Key", 0, KEY_READ, &key) ==
              Registry::ERROR_FILE_NOT_FOUND,
          "a missing key is not found");
    check(key == 0, "a key that failed to open has no handle");
}

void newFileRefusesAnExistingName()
{
    std::FILE* first = createNewFile("QSL.FUL");
    check(first != nullptr, "a new file is created");
    if (first) {
        std::fputs("&&\r\n", first);
        std::fclose(first);
    }
    errno = 0;
    std::FILE* second = createNewFile("QSL.FUL");
    check(second == nullptr && errno == EEXIST, "a second create of the same name fails with EEXIST");
    if (second)
        std::fclose(second);
    check(readFile("QSL.FUL") == "&&\r\n", "the existing file keeps its bytes");
}

void outputReplacesItsTargetWithBinaryLines()
{
    writeFile("QSLADM.TXT", "old contents\r\n");
    {
        OutputFile output("QSLADM.TXT");
        output.writeLine("Q1ABC");
        output.writeLine("QA/Q2XYZ");
        output.commit();
    }
    check(readFile("QSLADM.TXT") == "Q1ABC\r\nQA/Q2XYZ\r\n",
          "commit renames over an existing target, bytes as written");

    {
        OutputFile output("QSLADM.TXT");
        output.writeLine("never committed");
    }
    check(readFile("QSLADM.TXT") == "Q1ABC\r\nQA/Q2XYZ\r\n", "an uncommitted output leaves the target alone");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("."))
        ++entries;
    check(entries == 2, "no temporary file is left behind");
}

} // namespace

int main()
{
    const fs::path directory = fs::temp_directory_path() / "borvelin-windows-checks";
    fs::remove_all(directory);
    fs::create_directories(directory);
    fs::current_path(directory);

    registryReadsTextValuesUnderTheLocalMachineRoot();
    registryReportsAMissingKey();
    newFileRefusesAnExistingName();
    outputReplacesItsTargetWithBinaryLines();

    fs::current_path(directory.parent_path());
    fs::remove_all(directory);
    std::cout << passed << " passed, " << failed << " failed\n";
    return failed == 0 ? 0 : 1;
}
