// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/GeneratedLists.h"

#include <cstdio>
#include <memory>
#include <random>

namespace borvelin::test {

namespace {

std::string outputOf([[maybe_unused]] const std::string& command)
{
    std::string bytes;
#ifdef BORVELIN_GENERATORS
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    char buffer[65536];
    for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        bytes.append(buffer, n);
#endif
    return bytes;
}

std::string generator(const char* name)
{
#ifdef BORVELIN_GENERATORS
    return std::string(BORVELIN_GENERATORS) + "/" + name;
#else
    return name;
#endif
}

} // namespace

std::string generatedList(std::uint64_t lines, std::uint64_t managers, std::uint64_t seed)
{
    return outputOf(generator("borvelin-genlist") + " " + std::to_string(lines) + " " + std::to_string(managers) + " " +
                    std::to_string(seed));
}

std::string generatedImport(std::uint64_t rows, std::uint64_t seed)
{
    return outputOf(generator("borvelin-genimport") + " " + std::to_string(rows) + " " + std::to_string(seed));
}

std::string generatedLog(std::uint64_t qsos, const std::string& listFile, std::uint64_t seed)
{
    return outputOf(generator("borvelin-genadif") + " " + std::to_string(qsos) + " '" + listFile + "' " +
                    std::to_string(seed));
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
        lines.push_back(text.substr(begin, end - begin));
        begin = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

std::vector<std::string> keywordPieceLines(std::size_t count, std::uint32_t seed)
{
    // A backspace and "for" pass a quick look at two bytes as "(f" would.
    static const std::vector<std::string> pieces = {"QSL via",     "qsl",
                                                    "Home Call",   "NOT",
                                                    "not via",     " MORE",
                                                    "LONGER",      "PIRATE",
                                                    "New Manager", "only direct",
                                                    "Ex-",         "EX-buro",
                                                    "Buro",        "see also",
                                                    "(for ",       "(FOR",
                                                    "himself via", " ",
                                                    "  ",          ",",
                                                    ")",           "Q2MGR",
                                                    "q2mgr)",      "QA/Q3XYZ",
                                                    "Q4MGR/P",     "e",
                                                    "n",           "q",
                                                    "\xC4",        "\x80",
                                                    "\t",          "!",
                                                    "\x08for",     std::string(1, '\0')};
    std::mt19937 random(seed);
    std::vector<std::string> lines;
    lines.reserve(count);
    for (std::size_t line = 0; line < count; ++line) {
        std::string text;
        for (std::size_t piece = random() % 12; piece > 0; --piece)
            text += pieces[random() % pieces.size()];
        lines.push_back(text);
    }
    return lines;
}

} // namespace borvelin::test
