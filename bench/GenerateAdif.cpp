// SPDX-License-Identifier: GPL-3.0-or-later
// Writes an invented ADIF log (.adi) to standard output, its stations drawn from the
// calls of a manager list, so that the fill finds most of them:
//   borvelin-genadif QSOS QSL.TXT [SEED]
// A header, then QSOs of ten fields or so on one line each, as loggers write them;
// one QSO in ten already has a QSL_VIA and one in twenty works a station the list lacks.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

std::string field(const std::string& name, const std::string& data)
{
    return "<" + name + ":" + std::to_string(data.size()) + ">" + data;
}

std::vector<std::string> listCalls(const char* listFile)
{
    std::ifstream list(listFile, std::ios::binary);
    std::vector<std::string> calls;
    for (std::string line; std::getline(list, line);) {
        const std::string call = line.substr(0, line.find(' '));
        if (call.size() >= 3 && call.find_first_of("0123456789") != std::string::npos)
            calls.push_back(call);
    }
    return calls;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::fputs("usage: borvelin-genadif QSOS QSL.TXT [SEED]\n", stderr);
        return 2;
    }
    const std::uint64_t qsos = std::strtoull(argv[1], nullptr, 10);
    const std::vector<std::string> calls = listCalls(argv[2]);
    if (calls.empty()) {
        std::fputs("borvelin-genadif: no calls in the list\n", stderr);
        return 1;
    }
    std::mt19937_64 random(argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1);
    const auto pick = [&](std::uint64_t n) { return random() % n; };
    static const char* const bands[] = {"160M", "80M", "40M", "20M", "15M", "10M"};
    static const char* const modes[] = {"CW", "SSB", "FT8", "RTTY"};
    std::string out = "Invented log for the benchmark\n" + field("ADIF_VER", "3.1.4") + " " +
                      field("PROGRAMID", "borvelin-genadif") + "\n<EOH>\n";
    for (std::uint64_t qso = 0; qso < qsos; ++qso) {
        const std::string call = pick(20) == 0 ? "Q9Z" + std::to_string(qso) : calls[pick(calls.size())];
        out += field("CALL", call) + field("QSO_DATE", std::to_string(20200101 + pick(5) * 10000 + pick(12) * 100)) +
               field("TIME_ON", std::to_string(100000 + pick(140000))) + field("BAND", bands[pick(6)]) +
               field("MODE", modes[pick(4)]) + field("RST_SENT", "599") + field("RST_RCVD", "579") +
               field("STATION_CALLSIGN", "Q1ME") + field("GRIDSQUARE", "JO" + std::to_string(10 + pick(80)));
        if (pick(10) == 0)
            out += field("QSL_VIA", "Q2VIA");
        out += "<EOR>\n";
        if (out.size() > (1u << 20)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
