// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobError.h"
#include "jobs/JobFiles.h"

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace borvelin::test {

// A job's files in memory: inputs are given as bytes (lines end in LF, CR LF or CR),
// outputs appear as bytes (every line ending in CR LF) when the job commits them.
// An output can be made to fail, to see what a job leaves behind.
class MemoryFiles : public JobFiles {
public:
    std::unique_ptr<LineSource> openInput(const std::string& name) override;
    std::unique_ptr<ByteSource> openBytes(const std::string& name) override;
    std::unique_ptr<LineSink> createOutput(const std::string& name, OutputWrites writes) override;

    // The output `name` fails with `error` once it holds `lines` lines; with 0 lines,
    // already when it is created.
    void failOutput(const std::string& name, std::size_t lines, ErrorNumber error = ErrorNumber::DiskFull);

    std::map<std::string, std::string> files;

private:
    struct Failure {
        std::size_t lines;
        ErrorNumber error;
    };
    std::map<std::string, Failure> failures_;
};

} // namespace borvelin::test
