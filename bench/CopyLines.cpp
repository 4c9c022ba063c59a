// SPDX-License-Identifier: GPL-3.0-or-later
// Copies a file line by line through the same reader and writer the conversions use,
// doing nothing else: the floor under every job's time.
//   borvelin-copylines IN OUT
#include "jobs/JobError.h"
#include "jobs/LineReader.h"
#include "jobs/OutputFile.h"

#include <array>
#include <cstdio>
#include <span>
#include <string_view>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: borvelin-copylines IN OUT\n", stderr);
        return 2;
    }
    try {
        borvelin::LineReader in(argv[1]);
        borvelin::OutputFile out(argv[2]);
        std::array<std::string_view, 256> lines;
        while (const std::size_t count = in.readLines(lines)) {
            for (const std::string_view line : std::span(lines).first(count))
                out.writeLine(line);
        }
        out.commit();
    } catch (const borvelin::JobError& error) {
        std::fprintf(stderr, "borvelin-copylines: error %d: %s\n", error.number(), error.what());
        return 1;
    }
    return 0;
}
