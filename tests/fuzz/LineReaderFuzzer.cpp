// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a file for the line reader, read through a buffer of 16 to 79 bytes so
// that line breaks fall on every refill, or up to 266 bytes so that some buffers hold
// several blocks of the break search, in batches of 1 to 8 lines; the lines must be
// those a plain reading of the bytes gives, and every view of a batch must still show its
// line when the batch is complete.
#include "jobs/LineReader.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// A line ends at CR LF, LF or a lone CR; a final break adds no empty line.
std::vector<std::string> plainLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char byte = bytes[i];
        if (byte == '\r' || byte == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line += byte;
            open = true;
        }
    }
    if (open)
        lines.push_back(line);
    return lines;
}

// One file in memory, rewritten for every input.
const std::string& inputFile()
{
    static const std::string path = [] {
        const int fd = memfd_create("borvelin-fuzz", 0);
        if (fd < 0)
            std::abort();
        return "/proc/self/fd/" + std::to_string(fd);
    }();
    return path;
}

void replaceInput(const std::uint8_t* data, std::size_t size)
{
    const int fd = std::stoi(inputFile().substr(inputFile().rfind('/') + 1));
    if (ftruncate(fd, 0) != 0 || (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    replaceInput(data, size);
    const std::size_t bufferSize = 16 + (size % 2 == 0 ? size % 64 : size % 251);
    borvelin::LineReader reader(inputFile(), bufferSize);
    std::vector<std::string> lines;
    std::array<std::string_view, 8> batch;
    const std::size_t batchSize = 1 + size / 64 % batch.size();
    while (const std::size_t count = reader.readLines(std::span(batch).first(batchSize))) {
        if (count > batchSize)
            std::abort();
        lines.insert(lines.end(), batch.begin(), batch.begin() + static_cast<std::ptrdiff_t>(count));
    }
    std::string after;
    if (reader.readLine(after) || lines != plainLines(std::string_view(reinterpret_cast<const char*>(data), size)))
        std::abort();
    return 0;
}
