// SPDX-License-Identifier: GPL-3.0-or-later
// Writes an invented manager list in the QSL.TXT layout to standard output:
//   borvelin-genlist LINES [MANAGERS] [SEED]
// Every call is fictional (Q prefixes); the mix of routes and remarks follows a real
// list's shape. List of 25+ counts exactly MANAGERS distinct managers (up to 175,760)
// once the list is long enough to name each, and their popularity follows Zipf's law,
// so that some serve 25 or more.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

namespace {

constexpr std::uint64_t MaxManagers = 10 * 26 * 26 * 26;
// List of 25+ stops when one manager is named by more than 32,767 records; the most
// popular manager stays well below that.
constexpr double MostRecordsPerManager = 20000;
// About this share of the lines name a manager that List of 25+ counts.
constexpr double CountedShare = 0.74;

class ListGenerator {
public:
    ListGenerator(std::uint64_t lines, std::uint64_t managers, std::uint64_t seed)
        : managers_(managers),
          offset_(offsetFor(managers, MostRecordsPerManager / (CountedShare * static_cast<double>(lines) + 1))),
          random_(seed)
    {
    }

    std::string line()
    {
        const unsigned kind = pick(1000);
        if (kind < 690)
            return pad(station(call(), "QSL via " + countedManager() + remark()));
        if (kind < 730)
            return pad(station(portablePrefix() + "/" + countedManager(), "QSL via Home Call"));
        if (kind < 735)
            return station(call(), "NOT via " + manager() + ", " + address(2));
        if (kind < 740)
            return pad(station(call(), "NOT via " + manager() + "! new info"));
        if (kind < 745)
            return pad(station(call(), "NOT via " + manager() + " since 2025"));
        if (kind < 755)
            return pad(station(call(), "NOT MORE " + manager() + " "));
        if (kind < 760)
            return pad(station(call(), "NOT LONGER " + manager() + " "));
        if (kind < 765)
            return pad(station(call(), "PIRATE"));
        if (kind < 905)
            return pad(station(call(), address(3 + pick(3)) + remark()));
        if (kind < 965)
            return bureau();
        if (kind < 998)
            return pad(station(call(), "QSL via " + countedManager() + " only direct"));
        if (kind < 999)
            return std::string(pick(13), ' '); // short and empty lines are logged as bureau failures
        return pad(station(call(), "QSL via " + countedManager() + " (for " + call())); // logged: no ")"
    }

private:
    unsigned pick(unsigned n) { return static_cast<unsigned>(random_() % n); }
    char letter() { return static_cast<char>('A' + pick(26)); }
    char digit() { return static_cast<char>('0' + pick(10)); }

    std::string call()
    {
        std::string text = "Q";
        if (pick(2))
            text += letter();
        text += digit();
        for (unsigned i = 0, n = 1 + pick(3); i < n; ++i)
            text += letter();
        return text;
    }

    std::string portablePrefix()
    {
        std::string prefix = "Q";
        prefix += pick(2) ? letter() : digit();
        return prefix;
    }

    // The manager of a line that List of 25+ counts. The first lines name each manager
    // once, so that the list holds exactly the chosen number of them (given lines
    // enough); later ones draw from the same managers as manager() does.
    std::string countedManager()
    {
        if (managersNamed_ < managers_)
            return managerCall(managersNamed_++);
        return manager();
    }

    // Popular managers are drawn far more often than the rest: the manager of rank k
    // (from 1) is drawn with a chance in proportion to 1/(k + q), Zipf's law with
    // Mandelbrot's offset q, which keeps the most popular one within the count a
    // manager may reach.
    std::string manager()
    {
        const double u = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
        const double rank = offset_ * std::pow((static_cast<double>(managers_) + offset_) / offset_, u) - offset_;
        return managerCall(std::min(static_cast<std::uint64_t>(rank), managers_ - 1));
    }

    // The smallest offset q for which the most popular manager's share stays within
    // `share`.
    static double offsetFor(std::uint64_t managers, double share)
    {
        const double n = static_cast<double>(managers);
        const auto topShare = [n](double q) { return std::log((1 + q) / q) / std::log((n + q) / q); };
        double low = 1e-6;
        double high = 1e12;
        if (topShare(low) <= share)
            return low;
        for (int step = 0; step < 200; ++step) {
            const double middle = std::sqrt(low * high);
            (topShare(middle) <= share ? high : low) = middle;
        }
        return high;
    }

    // A distinct call for each index below MaxManagers.
    static std::string managerCall(std::uint64_t index)
    {
        std::string text = "Q";
        text += static_cast<char>('0' + index % 10);
        index /= 10;
        for (int i = 0; i < 3; ++i, index /= 26)
            text += static_cast<char>('A' + index % 26);
        return text;
    }

    std::string remark()
    {
        switch (pick(40)) {
        case 0: return " New Manager";
        case 1: return " only direct";
        case 2: return " (Ex-" + manager() + ")";
        case 3: return " (see also " + call() + ")";
        case 4: return " (for " + call() + ")";
        case 5: return " himself via " + manager();
        default: return "";
        }
    }

    std::string address(unsigned parts)
    {
        static constexpr std::string_view streets[] = {"Harbour Road", "Main Street", "Mill Lane", "Station Road"};
        static constexpr std::string_view towns[] = {"Exampletown", "Sampleville", "Nowhere City", "Testburg"};
        static constexpr std::string_view lands[] = {"Xyzland", "Qland", "Republic of Nowhere", "Isle of Test"};
        std::string text = "P.O. Box " + std::to_string(1 + pick(999));
        if (parts > 1)
            text += ", " + std::string(streets[pick(4)]) + " " + std::to_string(1 + pick(99));
        if (parts > 2)
            text += ", " + std::to_string(1000 + pick(9000)) + " " + std::string(towns[pick(4)]);
        for (unsigned i = 3; i < parts; ++i)
            text += ", " + std::string(lands[pick(4)]);
        return text;
    }

    std::string bureau()
    {
        static constexpr std::string_view names[] = {"XYZLAND", "QLAND", "NOWHERIA", "QX", "QA", "QZ"};
        const std::string name(names[pick(6)]);
        if (pick(50) == 0)
            return station(name, "QSL Bureau only"); // lacks its address: logged
        return pad(station(name, "QSL Bureau, " + address(4)));
    }

    static std::string station(const std::string& firstWord, const std::string& fromColumn14)
    {
        std::string text = firstWord;
        text.resize(text.size() < 13 ? 13 : text.size() + 1, ' ');
        return text + fromColumn14;
    }

    // Some lists keep their lines at a fixed width.
    std::string pad(std::string text)
    {
        if (pick(10) < 3 && text.size() < 80)
            text.resize(80, ' ');
        return text;
    }

    std::uint64_t managers_;
    double offset_;
    std::uint64_t managersNamed_ = 0;
    std::mt19937_64 random_;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 4) {
        std::fputs("usage: borvelin-genlist LINES [MANAGERS] [SEED]\n", stderr);
        return 2;
    }
    const std::uint64_t lines = std::strtoull(argv[1], nullptr, 10);
    const std::uint64_t managers = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 50000;
    const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
    if (managers == 0 || managers > MaxManagers) {
        std::fprintf(stderr, "borvelin-genlist: MANAGERS must be 1 to %llu\n",
                     static_cast<unsigned long long>(MaxManagers));
        return 2;
    }
    ListGenerator generator(lines, managers, seed);
    for (std::uint64_t i = 0; i < lines; ++i) {
        const std::string text = generator.line() + "\r\n";
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    return std::ferror(stdout) ? 1 : 0;
}
