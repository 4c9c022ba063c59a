// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestDirectory.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include <sys/resource.h>

namespace borvelin::test {

namespace fs = std::filesystem;

TestDirectory::TestDirectory() : previous_(fs::current_path())
{
    std::random_device seed;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const fs::path candidate = fs::temp_directory_path() / ("borvelin-test-" + std::to_string(seed()));
        if (fs::create_directory(candidate))
            path_ = candidate;
    }
    if (path_.empty())
        throw std::runtime_error("cannot create a test directory");
    fs::current_path(path_);
}

TestDirectory::~TestDirectory()
{
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::vector<std::string> TestDirectory::fileNames() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string crlfLines(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const auto& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

std::string listLine(const std::string& firstWord, const std::string& fromColumn14, std::size_t padTo)
{
    std::string line = firstWord;
    line.resize(std::max<std::size_t>(line.size(), 13), ' ');
    line += fromColumn14;
    if (line.size() < padTo)
        line.resize(padTo, ' ');
    return line;
}

std::vector<std::string> RecordingStatus::textsOf(int panel) const
{
    std::vector<std::string> texts;
    for (const auto& [written, text] : writes)
        if (written == panel)
            texts.push_back(text);
    return texts;
}

std::vector<int> RecordingStatus::panelsWritten() const
{
    std::vector<int> panels;
    for (const auto& write : writes)
        panels.push_back(write.first);
    return panels;
}

FileSizeLimit::FileSizeLimit(unsigned long bytes)
{
    std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails instead of ending the process
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    previousSoft_ = limit.rlim_cur;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = previousSoft_;
    setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace borvelin::test
