// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/LineCount.h"

#include "jobs/FileHandle.h"
#include "jobs/JobError.h"
#include "jobs/RegularFile.h"

#include <cerrno>
#include <vector>

namespace borvelin {

std::uint64_t countLines(const std::string& fileName, const std::function<bool()>& keepGoing)
{
    const FileHandle file = openRegularFileToRead(fileName); // a FIFO would be read up, or waited on
    std::vector<char> block(1 << 20);
    std::uint64_t lines = 0;
    bool afterCarriageReturn = false; // an LF right behind it ends no further line
    bool lineOpen = false;            // bytes read since the last break
    while (!keepGoing || keepGoing()) {
        errno = 0;
        const std::size_t got = std::fread(block.data(), 1, block.size(), file.get());
        if (got == 0) {
            if (std::ferror(file.get()))
                throw JobError::fromLastError(fileName, EIO);
            break;
        }
        for (std::size_t at = 0; at < got; ++at) {
            const char byte = block[at];
            if (byte == '\n') {
                if (!afterCarriageReturn)
                    ++lines;
                lineOpen = afterCarriageReturn = false;
            } else if (byte == '\r') {
                ++lines;
                afterCarriageReturn = true;
                lineOpen = false;
            } else {
                afterCarriageReturn = false;
                lineOpen = true;
            }
        }
    }
    return lines + (lineOpen ? 1 : 0);
}

} // namespace borvelin
