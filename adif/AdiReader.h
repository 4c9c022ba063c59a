// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ByteSource.h"
#include "jobs/JobError.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// One data-specifier, <NAME:LENGTH>DATA or <NAME:LENGTH:TYPE>DATA. Positions count from
// the start of the chunk that holds it; the views are valid until the reader moves on.
struct AdiField {
    std::string_view name; // as written, in its own case
    std::string_view data;
    std::size_t tagBegin = 0;    // the "<"
    std::size_t lengthBegin = 0; // the first digit of the length
    std::size_t lengthEnd = 0;
    std::size_t dataBegin = 0;
};

// Field names ignore case: is this the field `upperCaseName`?
bool hasName(const AdiField& field, std::string_view upperCaseName);

// A piece of an ADI file, with every byte before it since the last piece: the header up
// to and including its <EOH>, one QSO up to and including its <EOR>, or text holding no
// tag (what follows the last QSO, or a long stretch of text given out in parts).
struct AdiChunk {
    enum class Kind { Text, Header, Record };
    Kind kind = Kind::Text;
    std::string_view bytes;
    std::vector<AdiField> fields;
    std::size_t closingTag = 0; // where the <EOH> or <EOR> begins
};

// Reads an ADI file (ADIF 3.1) piece by piece. Text before <EOH> is the header; tag
// names ignore case and may carry a type; anything between the fields is kept as it is
// but may hold no "<", which always begins a tag. Memory holds one QSO at a time.
//
// A tag that is not a tag, or a field whose length runs past the end of the file, fails
// with JobError 321 (Invalid file format) or 62 (Input past end of file), naming the QSO
// (or the header) and the tag's byte offset from the start of the file, counted from 0.
// So does a file that is no log: one with no field at all, or one that does not begin
// with "<" (and so has a header) but has no <EOH>, whose header would become part of
// the first QSO.
class AdiReader {
public:
    AdiReader(ByteSource& source, std::string fileName, std::size_t bufferSize = std::size_t{1} << 20);

    // The next piece; false at the end of the file.
    bool next(AdiChunk& chunk);
    // The QSOs read so far.
    std::uint64_t records() const { return records_; }

    // No tag is longer; a "<" with no ">" within this many bytes is a broken tag.
    static constexpr std::size_t LongestTag = 1024;
    // Text holding no tag is given out in parts of about this size.
    static constexpr std::size_t LongestText = std::size_t{1} << 20;

private:
    enum class TagKind { Field, EndOfHeader, EndOfRecord };
    struct Tag {
        TagKind kind = TagKind::Field;
        std::size_t nameEnd = 0;
        std::size_t lengthBegin = 0;
        std::size_t lengthEnd = 0;
        std::size_t end = 0; // one past the ">"
        std::uint64_t length = 0;
    };

    static constexpr std::size_t NoTag = static_cast<std::size_t>(-1);

    std::size_t available() const { return end_ - begin_; }
    const char* at(std::size_t position) const { return buffer_.data() + begin_ + position; }
    std::uint64_t fileOffsetOf(std::size_t position) const { return bufferOffset_ + begin_ + position; }
    bool fill();
    bool ensure(std::size_t bytes);
    std::size_t findTagStart(std::size_t from, bool mayStopInText);
    Tag readTag(std::size_t tagBegin);
    void addField(AdiChunk& chunk, std::size_t tagBegin, const Tag& tag);
    bool give(AdiChunk& chunk, AdiChunk::Kind kind, std::size_t closingTag, std::size_t size);
    // At the end of the file: fails for a file that is no log.
    bool atEnd() const;
    [[noreturn]] void fail(ErrorNumber number, std::size_t position, std::string_view what) const;
    // The tag begun at `tagBegin` is broken at `from`: fails with the reason.
    [[noreturn]] void failInTag(std::size_t tagBegin, std::size_t from, std::size_t limit) const;

    ByteSource& source_;
    std::string fileName_;
    std::uint64_t fileSize_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0; // the current chunk's first byte
    std::size_t end_ = 0;   // one past the last byte read
    std::uint64_t bufferOffset_ = 0;
    bool sourceEnded_ = false;
    std::size_t consumed_ = 0; // the last chunk's size, dropped at the next call
    std::uint64_t records_ = 0;
    bool started_ = false;
    bool hasHeader_ = false; // the file does not begin with "<"
    bool headerRead_ = false;
    bool fieldRead_ = false;
};

} // namespace borvelin
