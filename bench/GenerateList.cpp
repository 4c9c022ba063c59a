// Writes an invented manager list in the QSL.TXT layout to standard output:
//   borvelin-genlist LINES [MANAGERS] [SEED]
// Every call is fictional (Q prefixes); the mix of routes and remarks follows a real
// list's shape, and manager popularity is skewed so that some serve 25 or more.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

namespace {

class ListGenerator {
public:
    ListGenerator(std::uint64_t managers, std::uint64_t seed) : managers_(managers), random_(seed) {}

    std::string line()
    {
        const unsigned kind = pick(1000);
        if (kind < 690)
            return pad(station(call(), "QSL via " + manager() + remark()));
        if (kind < 730)
            return pad(station(portableCall(), "QSL via Home Call"));
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
            return pad(station(call(), "QSL via " + manager() + " only direct"));
        if (kind < 999)
            return std::string(pick(13), ' '); // short and empty lines are logged as bureau failures
        return pad(station(call(), "QSL via " + manager() + " (for " + call())); // logged: no ")"
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

    std::string portableCall()
    {
        std::string prefix = "Q";
        prefix += pick(2) ? letter() : digit();
        return prefix + "/" + call();
    }

    // Popular managers are drawn far more often than the rest.
    std::string manager()
    {
        const double u = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
        auto index = static_cast<std::uint64_t>(static_cast<double>(managers_) * u * u * u);
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
    ListGenerator generator(managers == 0 ? 1 : managers, seed);
    for (std::uint64_t i = 0; i < lines; ++i) {
        const std::string text = generator.line() + "\r\n";
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    return std::ferror(stdout) ? 1 : 0;
}
