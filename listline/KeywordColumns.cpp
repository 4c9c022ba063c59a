// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/KeywordColumns.h"

#include "listline/TextSearch.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace borvelin {

namespace {

using KeywordSet = std::uint16_t;
static_assert(layout::Keywords.size() <= 16, "a keyword set holds 16 keywords");

constexpr KeywordSet AllKeywords = static_cast<KeywordSet>((1u << layout::Keywords.size()) - 1);

constexpr char upperCase(char byte)
{
    return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 'a' + 'A') : byte;
}

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
            filter[offset][static_cast<unsigned char>(foldCase(byte))] |= bit;
            filter[offset][static_cast<unsigned char>(upperCase(byte))] |= bit;
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

// The keywords folded once, so that only the line's bytes need folding when compared.
constexpr std::size_t LongestKeyword = 24;

constexpr std::array<std::array<char, LongestKeyword>, layout::Keywords.size()> foldedKeywords()
{
    std::array<std::array<char, LongestKeyword>, layout::Keywords.size()> folded{};
    for (std::size_t index = 0; index < layout::Keywords.size(); ++index) {
        for (std::size_t offset = 0; offset < layout::Keywords[index].text.size(); ++offset)
            folded[index][offset] = foldCase(layout::Keywords[index].text[offset]);
    }
    return folded;
}

constexpr auto FoldedKeywords = foldedKeywords();

static_assert(std::all_of(layout::Keywords.begin(), layout::Keywords.end(),
                          [](const layout::KeywordText& keyword) { return keyword.text.size() <= LongestKeyword; }));

bool foldedKeywordStandsAt(std::string_view line, std::size_t keyword, std::size_t column)
{
    const std::size_t length = layout::Keywords[keyword].text.size();
    if (line.size() - (column - 1) < length)
        return false;
    const char* there = line.data() + (column - 1);
    const char* folded = FoldedKeywords[keyword].data();
    // The filter has matched the first bytes already.
    for (std::size_t offset = FilterLength; offset < length; ++offset) {
        if (foldCase(there[offset]) != folded[offset])
            return false;
    }
    return true;
}

} // namespace

void KeywordColumns::scan(std::string_view line, std::size_t fromColumn)
{
    columns_.fill(0);
    // No keyword begins with a blank, so the blanks that pad a line need no look.
    const std::size_t lastNonBlank = line.find_last_not_of(' ') + 1; // npos + 1 == 0: all blanks
    // ... and a keyword's first bytes must fit before the line ends.
    const std::size_t lastFitting = line.size() >= FilterLength ? line.size() - FilterLength + 1 : 0;
    const std::size_t lastColumn = std::min(lastNonBlank, lastFitting);
    KeywordSet missing = AllKeywords;
    for (std::size_t column = fromColumn; column <= lastColumn && missing != 0; ++column) {
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

} // namespace borvelin
