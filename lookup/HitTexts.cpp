// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/HitTexts.h"

#include "jobs/JobError.h"

#include <cerrno>
#include <ostream>
#include <sstream>

namespace borvelin {

namespace {

constexpr const char* SpillName = "the temporary file of the answers";

} // namespace

void HitTexts::append(std::size_t home, std::string_view text)
{
    homes_[home].text.append(text);
    held_ += text.size();
    if (held_ > budget_)
        spill();
}

// Every home's text goes to the end of the file, as one more segment of it. Without a
// temporary file to be had, the texts stay in memory.
void HitTexts::spill()
{
    if (spillFailed_)
        return;
    if (!spillFile_) {
        spillFile_.reset(std::tmpfile());
        if (!spillFile_) {
            spillFailed_ = true;
            return;
        }
    }
    for (Home& home : homes_) {
        if (home.text.empty())
            continue;
        errno = 0;
        if (std::fseek(spillFile_.get(), 0, SEEK_END) != 0 ||
            std::fwrite(home.text.data(), 1, home.text.size(), spillFile_.get()) != home.text.size())
            throw JobError::fromLastError(SpillName, EIO);
        home.spilled.push_back({spillSize_, home.text.size()});
        spillSize_ += home.text.size();
        std::string().swap(home.text);
    }
    held_ = 0;
}

void HitTexts::writeTo(std::size_t home, std::ostream& out) const
{
    const Home& texts = homes_[home];
    if (!texts.spilled.empty()) {
        std::fflush(spillFile_.get());
        std::string chunk;
        for (const Segment& segment : texts.spilled) {
            for (std::uint64_t done = 0; done < segment.length;) {
                chunk.resize(static_cast<std::size_t>(std::min<std::uint64_t>(segment.length - done, 1 << 16)));
                errno = 0;
                if (std::fseek(spillFile_.get(), static_cast<long>(segment.offset + done), SEEK_SET) != 0 ||
                    std::fread(chunk.data(), 1, chunk.size(), spillFile_.get()) != chunk.size())
                    throw JobError::fromLastError(SpillName, EIO);
                out << chunk;
                done += chunk.size();
            }
        }
    }
    out << texts.text;
}

std::string HitTexts::textOf(std::size_t home) const
{
    std::ostringstream text;
    writeTo(home, text);
    return text.str();
}

} // namespace borvelin
