#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace borvelin {

// Keyword searches ignore the case of the ASCII letters A-Z only; every other byte,
// including those of a code page's accented letters, must match exactly.
constexpr char foldCase(char byte)
{
    return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// True when `what` begins exactly at the 1-based `column` of `line`, ignoring case.
bool standsAt(std::string_view line, std::string_view what, std::size_t column);

// A line folded to lower case once, for the many searches made on it.
class FoldedLine {
public:
    void assign(std::string_view line);
    // The 1-based column where `what` first begins at or after `column`; 0 when nowhere.
    std::size_t find(std::string_view what, std::size_t column) const;
    bool occurs(std::string_view what, std::size_t column) const { return find(what, column) != 0; }
    bool standsAt(std::string_view what, std::size_t column) const { return borvelin::standsAt(folded_, what, column); }

private:
    std::string folded_;
};

} // namespace borvelin
