// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/KeywordColumns.h"

#include "text/Bytes16.h"
#include "text/Capitals.h"
#include "text/Trimmed.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace borvelin {

namespace {

using KeywordSet = std::uint16_t;

constexpr KeywordSet AllKeywords = static_cast<KeywordSet>((1u << layout::Keywords.size()) - 1);

// Every keyword is at least this long; a position is compared in full only when its
// first bytes fit a keyword's first bytes.
constexpr std::size_t FilterLength = 3;

using ByteFilter = std::array<std::array<KeywordSet, 256>, FilterLength>;

// For each of the first bytes of a keyword, the keywords that hold each byte there.
constexpr ByteFilter keywordsHoldingByte()
{
    ByteFilter filter{};
    for (std::size_t index = 0; index < layout::Keywords.size(); ++index) {
        const auto bit = static_cast<KeywordSet>(1u << index);
        for (std::size_t offset = 0; offset < FilterLength; ++offset) {
            const char byte = layout::Keywords[index].text[offset];
            filter[offset][static_cast<unsigned char>(inSmallLetters(byte))] |= bit;
            filter[offset][static_cast<unsigned char>(inCapitals(byte))] |= bit;
        }
    }
    return filter;
}

constexpr ByteFilter KeywordsHoldingByte = keywordsHoldingByte();

static_assert(std::all_of(layout::Keywords.begin(), layout::Keywords.end(),
                          [](const layout::KeywordText& keyword) { return keyword.text.size() >= FilterLength; }));

// The keywords whose first bytes are the bytes at `at`, which holds FilterLength bytes.
KeywordSet keywordsFitting(const char* at)
{
    return KeywordsHoldingByte[0][static_cast<unsigned char>(at[0])] &
           KeywordsHoldingByte[1][static_cast<unsigned char>(at[1])] &
           KeywordsHoldingByte[2][static_cast<unsigned char>(at[2])];
}
static_assert(FilterLength == 3);

// The keywords folded once, with the bit that folds a letter: a byte of the line fits a
// letter of a keyword when `byte | 0x20` is the small letter, and any other byte of a
// keyword exactly.
constexpr std::size_t LongestKeyword = 24;

struct FoldedKeyword {
    std::array<char, LongestKeyword> text;
    std::array<char, LongestKeyword> letterBits;
};

constexpr std::array<FoldedKeyword, layout::Keywords.size()> foldedKeywords()
{
    std::array<FoldedKeyword, layout::Keywords.size()> folded{};
    for (std::size_t index = 0; index < layout::Keywords.size(); ++index) {
        for (std::size_t offset = 0; offset < layout::Keywords[index].text.size(); ++offset) {
            const char byte = inSmallLetters(layout::Keywords[index].text[offset]);
            folded[index].text[offset] = byte;
            folded[index].letterBits[offset] = byte >= 'a' && byte <= 'z' ? 0x20 : 0;
        }
    }
    return folded;
}

constexpr auto FoldedKeywords = foldedKeywords();

static_assert(std::all_of(layout::Keywords.begin(), layout::Keywords.end(),
                          [](const layout::KeywordText& keyword) { return keyword.text.size() <= LongestKeyword; }));

// The bytes of a word of the line fit the keyword's when, with the letters folded, they
// are its folded bytes.
template <typename Word>
bool wordFits(const char* there, const FoldedKeyword& folded, std::size_t offset)
{
    Word bytes = 0;
    Word text = 0;
    Word letterBits = 0;
    std::memcpy(&bytes, there + offset, sizeof(Word));
    std::memcpy(&text, folded.text.data() + offset, sizeof(Word));
    std::memcpy(&letterBits, folded.letterBits.data() + offset, sizeof(Word));
    return (bytes | letterBits) == text;
}

// A keyword is compared a word at a time, the last word overlapping the one before, so
// that its length and where a line departs from it cost no branch for each byte.
bool foldedKeywordStandsAt(std::string_view line, std::size_t keyword, std::size_t column)
{
    const std::size_t length = layout::Keywords[keyword].text.size();
    if (line.size() - (column - 1) < length)
        return false;
    const char* there = line.data() + (column - 1);
    const FoldedKeyword& folded = FoldedKeywords[keyword];
    if (length <= FilterLength) // the filter has matched those bytes already
        return true;
    if (length < 8)
        return wordFits<std::uint32_t>(there, folded, 0) && wordFits<std::uint32_t>(there, folded, length - 4);
    for (std::size_t offset = 0; offset + 8 < length; offset += 8) {
        if (!wordFits<std::uint64_t>(there, folded, offset))
            return false;
    }
    return wordFits<std::uint64_t>(there, folded, length - 8);
}

// A line is searched 16 columns at a time for the first two bytes of a keyword, and
// only the columns where they stand are compared further. The two bytes are compared
// as `byte | 0x20` gives them, which folds A-Z to a-z in one step; it also folds a few
// other bytes onto others, which the full comparison rejects.
constexpr std::size_t BlockColumns = 16;

constexpr char roughlyFolded(char byte)
{
    return static_cast<char>(byte | 0x20);
}

struct BytePair {
    char first;
    char second;
};

constexpr BytePair prefixOf(std::string_view keyword)
{
    return {roughlyFolded(keyword[0]), roughlyFolded(keyword[1])};
}

constexpr bool isFirstWithPrefix(std::size_t index)
{
    const BytePair prefix = prefixOf(layout::Keywords[index].text);
    return std::none_of(layout::Keywords.begin(), layout::Keywords.begin() + static_cast<std::ptrdiff_t>(index),
                        [prefix](const layout::KeywordText& other) {
                            const BytePair otherPrefix = prefixOf(other.text);
                            return otherPrefix.first == prefix.first && otherPrefix.second == prefix.second;
                        });
}

constexpr std::size_t PrefixCount = [] {
    std::size_t count = 0;
    for (std::size_t index = 0; index < layout::Keywords.size(); ++index)
        count += isFirstWithPrefix(index) ? 1 : 0;
    return count;
}();

// The keywords' distinct first two bytes.
constexpr std::array<BytePair, PrefixCount> KeywordPrefixes = [] {
    std::array<BytePair, PrefixCount> prefixes{};
    std::size_t next = 0;
    for (std::size_t index = 0; index < layout::Keywords.size(); ++index)
        if (isFirstWithPrefix(index))
            prefixes[next++] = prefixOf(layout::Keywords[index].text);
    return prefixes;
}();

// One bit for each of the 16 columns from `at` on where the first two bytes of a
// keyword may stand; reads at[0] to at[16].
std::uint32_t prefixesAt(const char* at)
{
    const Bytes16 first = Bytes16::load(at).withBits(0x20);
    const Bytes16 second = Bytes16::load(at + 1).withBits(0x20);
    Bytes16 found = Bytes16::none();
    for (const BytePair& prefix : KeywordPrefixes)
        found = found | (first.equalTo(prefix.first) & second.equalTo(prefix.second));
    return found.topBits();
}

// The same for the 16 columns from the 1-based `column` of `line`, of which `columns`
// are looked at. Near the end of the line the block read is the line's last 17 bytes,
// its bits shifted to the columns asked for; a line too short for that is copied into a
// block of its own.
std::uint32_t prefixesFrom(std::string_view line, std::size_t column, std::size_t columns)
{
    constexpr std::size_t BytesRead = BlockColumns + 1;
    const std::size_t offset = column - 1;
    std::uint32_t found = 0;
    if (line.size() - offset >= BytesRead) {
        found = prefixesAt(line.data() + offset);
    } else if (line.size() >= BytesRead) {
        const std::size_t lastBlock = line.size() - BytesRead;
        found = prefixesAt(line.data() + lastBlock) >> (offset - lastBlock);
    } else {
        char block[BytesRead] = {};
        std::memcpy(block, line.data() + offset, line.size() - offset);
        found = prefixesAt(block);
    }
    return columns < BlockColumns ? found & ((1u << columns) - 1) : found;
}

} // namespace

void KeywordColumns::scan(std::string_view line, std::size_t fromColumn)
{
    found_ = 0;
    if (line.size() < FilterLength)
        return;
    // No keyword begins with a blank, so the blanks that pad a line need no look; and
    // a keyword's first bytes must fit before the line ends.
    const std::size_t lastColumn = std::min(lengthWithoutTrailingSpaces(line), line.size() - FilterLength + 1);
    KeywordSet missing = AllKeywords;
    for (std::size_t block = fromColumn; block <= lastColumn && missing != 0; block += BlockColumns) {
        for (std::uint32_t starts = prefixesFrom(line, block, lastColumn - block + 1); starts != 0;
             starts &= starts - 1) {
            const std::size_t column = block + static_cast<std::size_t>(std::countr_zero(starts));
            KeywordSet candidates = keywordsFitting(line.data() + column - 1) & missing;
            while (candidates != 0) {
                const int index = std::countr_zero(candidates);
                candidates &= static_cast<KeywordSet>(candidates - 1);
                if (foldedKeywordStandsAt(line, index, column)) {
                    columns_[index] = column;
                    missing &= static_cast<KeywordSet>(~(1u << index));
                }
            }
        }
    }
    found_ = static_cast<std::uint16_t>(AllKeywords & ~missing);
}

} // namespace borvelin
