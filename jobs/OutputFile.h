#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// An output text file that replaces its target only when it is complete: the lines go
// to a temporary file beside the target, which commit() renames over it. Until then
// the target keeps whatever it held; an output destroyed uncommitted leaves no trace.
class OutputFile {
public:
    // Creates the (empty) temporary file; fails as creating the target itself would.
    explicit OutputFile(const std::string& targetName, std::size_t bufferSize = 1 << 20);
    ~OutputFile();
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&&) = delete;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Writes the bytes followed by CR LF.
    void writeLine(std::string_view line);
    // Room for the next line, `length` bytes that the caller fills in before any other
    // write; the CR LF behind them is already written.
    char* lineSpace(std::size_t length);
    // Flushes and closes the temporary file; the target is still untouched.
    void close();
    // Closes if need be and renames the temporary file over the target.
    void commit();

    const std::string& targetName() const { return targetName_; }
    const std::string& temporaryName() const { return temporaryName_; }

private:
    void flush();
    void discard() noexcept;

    std::string targetName_;
    std::string temporaryName_;
    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    bool committed_ = false;
};

} // namespace borvelin
