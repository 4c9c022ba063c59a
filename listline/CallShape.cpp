// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/CallShape.h"

#include <algorithm>

namespace borvelin::callshape {

namespace {

bool isLetter(char byte)
{
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

bool isDigit(char byte)
{
    return byte >= '0' && byte <= '9';
}

bool isLetterOrDigit(char byte)
{
    return isLetter(byte) || isDigit(byte);
}

bool holdsLetterAndDigit(std::string_view part)
{
    return std::any_of(part.begin(), part.end(), isLetter) && std::any_of(part.begin(), part.end(), isDigit);
}

// Calls the function with each part between the "/"s, empty parts included.
template <typename Visit>
void forEachPart(std::string_view call, Visit visit)
{
    for (;;) {
        const auto slash = call.find('/');
        visit(call.substr(0, slash));
        if (slash == std::string_view::npos)
            return;
        call.remove_prefix(slash + 1);
    }
}

bool hasWellFormedParts(std::string_view call)
{
    std::size_t parts = 0;
    bool partsWellFormed = true;
    bool hasCall = false;
    forEachPart(call, [&](std::string_view part) {
        ++parts;
        partsWellFormed = partsWellFormed && !part.empty() && std::all_of(part.begin(), part.end(), isLetterOrDigit);
        hasCall = hasCall || holdsLetterAndDigit(part);
    });
    return partsWellFormed && hasCall && parts <= MostParts;
}

} // namespace

// One pass for a call without portable parts, as most are; the parts are looked at one
// by one only when there is a "/".
bool isWellFormedCall(std::string_view call)
{
    if (call.empty() || call.size() > LongestCall)
        return false;
    bool letter = false;
    bool digit = false;
    for (const char byte : call) {
        if (isLetter(byte))
            letter = true;
        else if (isDigit(byte))
            digit = true;
        else if (byte == '/')
            return hasWellFormedParts(call);
        else
            return false;
    }
    return letter && digit;
}

std::string homeCallOf(std::string_view call)
{
    std::string_view home = call;
    std::size_t longest = 0;
    forEachPart(call, [&](std::string_view part) {
        if (part.size() > longest && holdsLetterAndDigit(part)) {
            home = part;
            longest = part.size();
        }
    });
    std::string capitals(home);
    std::transform(capitals.begin(), capitals.end(), capitals.begin(),
                   [](char byte) { return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 'a' + 'A') : byte; });
    return capitals;
}

std::string_view homeCallPartOf(std::string_view call)
{
    // One pass: a lookup tries this on every line of the list. Most calls have no
    // portable part, and are their own home call.
    if (call.find('/') == std::string_view::npos)
        return call;
    std::string_view home = call;
    std::size_t longest = 0;
    std::size_t partStart = 0;
    bool letter = false;
    bool digit = false;
    for (std::size_t index = 0; index <= call.size(); ++index) {
        if (index == call.size() || call[index] == '/') {
            const std::size_t length = index - partStart;
            if (letter && digit && length > longest) {
                home = call.substr(partStart, length);
                longest = length;
            }
            partStart = index + 1;
            letter = digit = false;
            continue;
        }
        letter = letter || isLetter(call[index]);
        digit = digit || isDigit(call[index]);
    }
    return home;
}

} // namespace borvelin::callshape
