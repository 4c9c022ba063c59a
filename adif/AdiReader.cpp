// SPDX-License-Identifier: GPL-3.0-or-later
#include "adif/AdiReader.h"

#include "text/Capitals.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace borvelin {

namespace {

// A length of more digits could not be a length within any file.
constexpr std::size_t MostLengthDigits = 15;

bool equalsIgnoringCase(std::string_view text, std::string_view upperCase)
{
    return text.size() == upperCase.size() &&
           std::equal(text.begin(), text.end(), upperCase.begin(),
                      [](char byte, char upper) { return inCapitals(byte) == upper; });
}

// The bytes a field name cannot hold, the ":" and ">" that end it among them.
constexpr std::array<bool, 256> EndsName = [] {
    std::array<bool, 256> ends{};
    for (const char byte : std::string_view(":><,{}"))
        ends[static_cast<unsigned char>(byte)] = true;
    return ends;
}();

bool isDigit(char byte)
{
    return byte >= '0' && byte <= '9';
}

bool isLetter(char byte)
{
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

} // namespace

bool hasName(const AdiField& field, std::string_view upperCaseName)
{
    return equalsIgnoringCase(field.name, upperCaseName);
}

AdiReader::AdiReader(ByteSource& source, std::string fileName, std::size_t bufferSize)
    : source_(source), fileName_(std::move(fileName)), fileSize_(source.size()),
      buffer_(std::max<std::size_t>(bufferSize, 16))
{
}

bool AdiReader::fill()
{
    if (sourceEnded_)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, available());
        bufferOffset_ += begin_;
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    const std::size_t got = source_.read(buffer_.data() + end_, buffer_.size() - end_);
    sourceEnded_ = got == 0;
    end_ += got;
    return got > 0;
}

bool AdiReader::ensure(std::size_t bytes)
{
    while (available() < bytes)
        if (!fill())
            return false;
    return true;
}

std::size_t AdiReader::findTagStart(std::size_t from, bool mayStopInText)
{
    // Fields mostly follow one another at once, or after a line break.
    for (std::size_t near = from; near < available() && near < from + 4; ++near)
        if (*at(near) == '<')
            return near;
    for (;;) {
        if (const void* hit = std::memchr(at(from), '<', available() - from))
            return static_cast<std::size_t>(static_cast<const char*>(hit) - at(0));
        from = available();
        if ((mayStopInText && from >= LongestText) || !fill())
            return NoTag;
    }
}

void AdiReader::fail(ErrorNumber number, std::size_t position, std::string_view what) const
{
    const bool inHeader = hasHeader_ && !headerRead_ && records_ == 0;
    const std::string where = inHeader ? "the header" : "QSO " + std::to_string(records_ + 1);
    const std::string text =
        number == ErrorNumber::InvalidFileFormat ? "Invalid file format" : "Input past end of file";
    throw JobError(number,
                   text + " (" + where + ", byte offset " + std::to_string(fileOffsetOf(position)) + ": " +
                       std::string(what) + ")",
                   fileName_);
}

// One pass over the tag's bytes, from the "<" to the ">": NAME, NAME:LENGTH or
// NAME:LENGTH:TYPE, each part checked as it goes by. At the first byte that does not
// belong, the rest is only searched for its end, to tell a broken tag (one with a ">")
// from a "<" that begins none.
AdiReader::Tag AdiReader::readTag(std::size_t tagBegin)
{
    if (available() < tagBegin + LongestTag)
        ensure(tagBegin + LongestTag);
    const char* const bytes = at(0);
    const std::size_t limit = std::min(available(), tagBegin + LongestTag);
    const auto broken = [&](std::size_t from) { failInTag(tagBegin, from, limit); };
    Tag tag;
    std::size_t position = tagBegin + 1;
    while (position < limit && !EndsName[static_cast<unsigned char>(bytes[position])])
        ++position;
    tag.nameEnd = position;
    const std::string_view name(bytes + tagBegin + 1, tag.nameEnd - tagBegin - 1);
    if (position == limit || bytes[position] == '<')
        fail(ErrorNumber::InvalidFileFormat, tagBegin, "a \"<\" that begins no tag");
    if (bytes[position] == '>') {
        tag.end = position + 1;
        if (equalsIgnoringCase(name, "EOR"))
            tag.kind = TagKind::EndOfRecord;
        else if (equalsIgnoringCase(name, "EOH"))
            tag.kind = TagKind::EndOfHeader;
        else
            fail(ErrorNumber::InvalidFileFormat, tagBegin, "a tag with no length");
        return tag;
    }
    if (bytes[position] != ':' || name.empty() || name.front() == ' ' || name.back() == ' ')
        broken(position);
    tag.lengthBegin = ++position;
    for (; position < limit && isDigit(bytes[position]); ++position)
        tag.length = tag.length * 10 + static_cast<std::uint64_t>(bytes[position] - '0');
    tag.lengthEnd = position;
    const std::size_t digits = tag.lengthEnd - tag.lengthBegin;
    if (digits == 0 || digits > MostLengthDigits)
        broken(position);
    if (position < limit && bytes[position] == ':') {
        const std::size_t typeBegin = ++position;
        while (position < limit && isLetter(bytes[position]))
            ++position;
        if (position == typeBegin)
            broken(position);
    }
    if (position == limit || bytes[position] != '>')
        broken(position);
    tag.end = position + 1;
    return tag;
}

void AdiReader::failInTag(std::size_t tagBegin, std::size_t from, std::size_t limit) const
{
    const char* const bytes = at(0);
    while (from < limit && bytes[from] != '>' && bytes[from] != '<')
        ++from;
    fail(ErrorNumber::InvalidFileFormat, tagBegin,
         from < limit && bytes[from] == '>' ? "a broken tag" : "a \"<\" that begins no tag");
}

void AdiReader::addField(AdiChunk& chunk, std::size_t tagBegin, const Tag& tag)
{
    if (fileOffsetOf(tag.end) + tag.length > fileSize_ || !ensure(tag.end + tag.length))
        fail(ErrorNumber::InputPastEndOfFile, tagBegin, "the length runs past the end of the file");
    AdiField field;
    field.tagBegin = tagBegin;
    field.lengthBegin = tag.lengthBegin;
    field.lengthEnd = tag.lengthEnd;
    field.dataBegin = tag.end;
    // The views are set when the chunk is given out: until then the buffer may move.
    field.name = std::string_view(nullptr, tag.nameEnd - tagBegin - 1);
    field.data = std::string_view(nullptr, static_cast<std::size_t>(tag.length));
    chunk.fields.push_back(field);
}

bool AdiReader::give(AdiChunk& chunk, AdiChunk::Kind kind, std::size_t closingTag, std::size_t size)
{
    chunk.kind = kind;
    chunk.bytes = std::string_view(at(0), size);
    chunk.closingTag = closingTag;
    for (AdiField& field : chunk.fields) {
        field.name = std::string_view(at(field.tagBegin + 1), field.name.size());
        field.data = std::string_view(at(field.dataBegin), field.data.size());
    }
    consumed_ = size;
    return true;
}

bool AdiReader::atEnd() const
{
    if (!fieldRead_)
        throw JobError(ErrorNumber::InvalidFileFormat, "Invalid file format (no ADIF field: not a log)", fileName_);
    if (hasHeader_ && !headerRead_)
        fail(ErrorNumber::InvalidFileFormat, available(), "the header has no <EOH>");
    return false;
}

bool AdiReader::next(AdiChunk& chunk)
{
    begin_ += consumed_;
    consumed_ = 0;
    chunk.fields.clear();
    if (!started_) {
        started_ = true;
        hasHeader_ = ensure(1) && *at(0) != '<';
    }
    for (std::size_t position = 0;;) {
        const std::size_t tagBegin = findTagStart(position, chunk.fields.empty());
        if (tagBegin == NoTag) {
            if (!chunk.fields.empty() && hasHeader_ && !headerRead_)
                fail(ErrorNumber::InvalidFileFormat, available(), "the header has no <EOH>");
            if (!chunk.fields.empty())
                fail(ErrorNumber::InputPastEndOfFile, available(), "the file ends before the QSO's <EOR>");
            return available() > 0 ? give(chunk, AdiChunk::Kind::Text, available(), available()) : atEnd();
        }
        const Tag tag = readTag(tagBegin);
        switch (tag.kind) {
        case TagKind::EndOfRecord:
            if (hasHeader_ && !headerRead_)
                fail(ErrorNumber::InvalidFileFormat, tagBegin, "the header has no <EOH>");
            ++records_;
            return give(chunk, AdiChunk::Kind::Record, tagBegin, tag.end);
        case TagKind::EndOfHeader:
            if (records_ > 0 || headerRead_)
                fail(ErrorNumber::InvalidFileFormat, tagBegin, "an <EOH> after the header");
            headerRead_ = true;
            return give(chunk, AdiChunk::Kind::Header, tagBegin, tag.end);
        case TagKind::Field:
            addField(chunk, tagBegin, tag);
            fieldRead_ = true;
            break;
        }
        position = tag.end + static_cast<std::size_t>(tag.length);
    }
}

} // namespace borvelin
