// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/CheckFindings.h"

#include "jobs/FileHandle.h"
#include "jobs/JobError.h"
#include "jobs/LineBreakScanner.h"
#include "jobs/RegularFile.h"
#include "keptlist/FileAt.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <limits>

namespace borvelin {

namespace {

// Enough of a row to hold its line number.
constexpr std::size_t HeadLength = 24;

JobError notInLineOrder(const std::string& fileName)
{
    return {ErrorNumber::InvalidFileFormat, "Invalid file format (the findings are not in the order of the lines)",
            fileName};
}

} // namespace

CheckFindings::CheckFindings(std::string fileName) : fileName_(std::move(fileName))
{
    index();
}

// One pass, a block at a time: where each row begins, as the jobs split lines (CR LF, LF
// or a lone CR), and the line number at its head, which may lie across two blocks.
void CheckFindings::index()
{
    const FileHandle file = openRegularFileToRead(fileName_);
    std::vector<char> block(1 << 20);
    constexpr std::uint64_t NoCarriageReturn = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t lastCarriageReturn = NoCarriageReturn;
    std::uint64_t blockStart = 0;
    std::uint64_t rowStart = 0;
    std::string head; // of the row begun in an earlier block
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(block.data(), 1, block.size(), file.get());
        if (got == 0) {
            if (std::ferror(file.get()))
                throw JobError::fromLastError(fileName_, EIO);
            break;
        }
        const std::string_view bytes(block.data(), got);
        const auto headOf = [&](std::uint64_t end) {
            if (rowStart < blockStart)
                return std::string_view(head.append(bytes.substr(0, static_cast<std::size_t>(end - blockStart))));
            return bytes.substr(static_cast<std::size_t>(rowStart - blockStart),
                                static_cast<std::size_t>(std::min<std::uint64_t>(end - rowStart, HeadLength)));
        };
        LineBreakScanner breaks;
        breaks.start(bytes.data(), bytes.data() + got);
        for (const char* lineBreak = breaks.next(); lineBreak != bytes.data() + got; lineBreak = breaks.next()) {
            const std::uint64_t at = blockStart + static_cast<std::uint64_t>(lineBreak - bytes.data());
            if (*lineBreak == '\n' && lastCarriageReturn != NoCarriageReturn && at == lastCarriageReturn + 1) {
                rowStart = at + 1; // the LF of a CR LF
                continue;
            }
            addRow(rowStart, headOf(at).substr(0, HeadLength));
            head.clear();
            rowStart = at + 1;
            lastCarriageReturn = *lineBreak == '\r' ? at : NoCarriageReturn;
        }
        if (head.size() < HeadLength)
            head = std::string(headOf(blockStart + got).substr(0, HeadLength));
        blockStart += got;
    }
    if (rowStart < blockStart)
        addRow(rowStart, head);
    gone_.assign(lineOfRow_.size(), false);
}

void CheckFindings::addRow(std::uint64_t start, std::string_view head)
{
    if (lineOfRow_.size() % RowsPerMark == 0)
        marks_.push_back(start);
    std::uint32_t line = 0;
    const auto [end, error] = std::from_chars(head.data(), head.data() + head.size(), line);
    if (error != std::errc() || end == head.data() + head.size() || *end != ';' ||
        (!lineOfRow_.empty() && line < lineOfRow_.back()))
        throw notInLineOrder(fileName_);
    lineOfRow_.push_back(line);
}

std::pair<std::uint64_t, std::uint64_t> CheckFindings::rowsOf(std::uint64_t line) const
{
    if (line > std::numeric_limits<std::uint32_t>::max())
        return {0, 0};
    const auto [first, end] = std::equal_range(lineOfRow_.begin(), lineOfRow_.end(), static_cast<std::uint32_t>(line));
    return {static_cast<std::uint64_t>(first - lineOfRow_.begin()),
            static_cast<std::uint64_t>(end - lineOfRow_.begin())};
}

bool CheckFindings::has(std::uint64_t line) const
{
    const auto [first, end] = rowsOf(line);
    for (std::uint64_t row = first; row < end; ++row)
        if (!gone_[row])
            return true;
    return false;
}

// From the mark before the first row on, in pieces, until the rows asked for are whole.
std::vector<std::string> CheckFindings::readRows(std::uint64_t first, std::uint64_t count) const
{
    const FileHandle file = openRegularFileToRead(fileName_);
    const std::uint64_t mark = first / RowsPerMark;
    errno = 0;
    if (!seekTo(file.get(), marks_[mark]))
        throw JobError::fromLastError(fileName_, EIO);
    std::uint64_t skip = first - mark * RowsPerMark;
    std::vector<std::string> rows;
    std::string row;
    bool afterCarriageReturn = false;
    std::vector<char> piece(1 << 14);
    while (rows.size() < count) {
        const std::size_t got = std::fread(piece.data(), 1, piece.size(), file.get());
        for (std::size_t at = 0; at < got && rows.size() < count; ++at) {
            const char byte = piece[at];
            if (byte == '\n' && afterCarriageReturn) {
                afterCarriageReturn = false;
                continue;
            }
            afterCarriageReturn = byte == '\r';
            if (byte != '\r' && byte != '\n') {
                row += byte;
                continue;
            }
            if (skip > 0)
                --skip;
            else
                rows.push_back(row);
            row.clear();
        }
        if (got < piece.size()) { // the end of the file
            if (rows.size() < count && !row.empty() && skip == 0)
                rows.push_back(row);
            break;
        }
    }
    return rows;
}

std::vector<FindingRow> CheckFindings::of(std::uint64_t line, std::string_view call) const
{
    std::vector<FindingRow> findings;
    const auto [first, end] = rowsOf(line);
    if (first == end)
        return findings;
    const std::vector<std::string> rows = readRows(first, end - first);
    for (std::uint64_t row = first; row < end && row - first < rows.size(); ++row) {
        if (gone_[row])
            continue;
        if (auto finding = parseFindingRow(rows[row - first], call)) {
            finding->line = line;
            findings.push_back(std::move(*finding));
        }
    }
    return findings;
}

void CheckFindings::linesBetween(std::uint64_t first, std::uint64_t last,
                                 const std::function<void(std::uint64_t)>& take) const
{
    if (first > std::numeric_limits<std::uint32_t>::max())
        return;
    auto row = std::lower_bound(lineOfRow_.begin(), lineOfRow_.end(), static_cast<std::uint32_t>(first));
    std::uint64_t previous = 0;
    for (; row != lineOfRow_.end() && *row <= last; ++row)
        if (*row != previous && !gone_[static_cast<std::size_t>(row - lineOfRow_.begin())])
            take(previous = *row);
}

// A row whose line went keeps the line before it, so that the rows stay in order.
void CheckFindings::moveLines(const std::function<std::optional<std::uint64_t>(std::uint64_t)>& newLineOf)
{
    std::uint32_t previous = 0;
    for (std::size_t row = 0; row < lineOfRow_.size(); ++row) {
        const auto moved = gone_[row] ? std::nullopt : newLineOf(lineOfRow_[row]);
        if (moved && *moved <= std::numeric_limits<std::uint32_t>::max() && *moved >= previous) {
            lineOfRow_[row] = previous = static_cast<std::uint32_t>(*moved);
        } else {
            gone_[row] = true;
            lineOfRow_[row] = previous;
        }
    }
}

} // namespace borvelin
