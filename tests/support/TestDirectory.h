// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/StatusSink.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace borvelin::test {

// A fresh directory that is the process's current directory for the object's lifetime.
class TestDirectory {
public:
    TestDirectory();
    ~TestDirectory();
    TestDirectory(const TestDirectory&) = delete;
    TestDirectory& operator=(const TestDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Names of the files in the directory, sorted; shows stray temporary files.
    std::vector<std::string> fileNames() const;

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

void writeFile(const std::filesystem::path& path, const std::string& bytes);
std::string readFile(const std::filesystem::path& path);
// Joins the lines, each followed by CR LF.
std::string crlfLines(const std::vector<std::string>& lines);
// A manager-list line: the first word padded to column 13, then the text from column 14.
std::string listLine(const std::string& firstWord, const std::string& fromColumn14, std::size_t padTo = 0);

// Remembers every panel write in order.
class RecordingStatus : public StatusSink {
public:
    void setPanelText(int panel, const std::string& text) override { writes.emplace_back(panel, text); }
    std::vector<std::string> textsOf(int panel) const;
    std::vector<int> panelsWritten() const;

    std::vector<std::pair<int, std::string>> writes;
};

// Makes file writes beyond `bytes` fail (EFBIG) for the object's lifetime.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long previousSoft_;
};

} // namespace borvelin::test
