// SPDX-License-Identifier: GPL-3.0-or-later
// Writes an invented CALL;MANAGER;DATE manager list to standard output, as the free
// lists are shaped: a header row, one row per station and manager, a station's rows in
// date order, dates YYYY-MM (some YYYY-MM-DD, some none), LF line ends.
//   borvelin-genimport ROWS [SEED]
// Every call is fictional (Q prefixes); about one station in three has two or more rows.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

class ImportGenerator {
public:
    explicit ImportGenerator(std::uint64_t seed) : random_(seed) {}

    // The rows of the next station, at least one.
    std::string station()
    {
        const std::string call = this->call();
        std::string rows;
        int year = 2000 + static_cast<int>(pick(15));
        for (unsigned row = 0, count = pick(3) == 0 ? 2 + pick(3) : 1; row < count; ++row) {
            rows += call + ";" + manager() + ";" + date(year) + "\n";
            year += 1 + static_cast<int>(pick(3));
        }
        return rows;
    }

private:
    unsigned pick(unsigned n) { return static_cast<unsigned>(random_() % n); }
    char letter() { return static_cast<char>('A' + pick(26)); }

    std::string call()
    {
        std::string text = pick(8) == 0 ? std::string("Q") + letter() + "/Q" : "Q";
        if (pick(2) == 0)
            text += letter();
        text += static_cast<char>('0' + pick(10));
        for (unsigned i = 0, n = 1 + pick(4); i < n; ++i)
            text += letter();
        return text;
    }

    std::string manager()
    {
        std::string text = "Q";
        text += static_cast<char>('0' + pick(10));
        for (int i = 0; i < 3; ++i)
            text += letter();
        return text;
    }

    std::string date(int year)
    {
        const unsigned kind = pick(20);
        if (kind == 0)
            return "";
        std::string text = std::to_string(year) + "-" + std::to_string(101 + pick(12)).substr(1);
        if (kind == 1)
            text += "-" + std::to_string(101 + pick(28)).substr(1);
        return text;
    }

    std::mt19937_64 random_;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fputs("usage: borvelin-genimport ROWS [SEED]\n", stderr);
        return 2;
    }
    const std::uint64_t rows = std::strtoull(argv[1], nullptr, 10);
    ImportGenerator generator(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1);
    std::string out = "CALL;MANAGER;DATE\n";
    for (std::uint64_t written = 0; written < rows;) {
        const std::string station = generator.station();
        for (const char byte : station)
            written += byte == '\n' ? 1 : 0;
        out += station;
        if (out.size() > (1u << 20)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
