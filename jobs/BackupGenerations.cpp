// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/BackupGenerations.h"

#include "jobs/FilePath.h"

#include <algorithm>
#include <atomic>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string_view>

namespace borvelin::backups {

namespace {

std::atomic<int> olderKeptSetting{DefaultOlderKept};

// "QSL.BAK": "QSL" and ".BAK"; a name without a dot has no extension.
struct NameParts {
    std::string folder; // with its separator, or empty
    std::string stem;
    std::string extension;
};

NameParts partsOf(const std::string& backup)
{
    const std::string file = pathText(nativePath(backup).filename());
    NameParts parts;
    parts.folder = backup.substr(0, backup.size() - file.size());
    const std::size_t dot = file.rfind('.');
    parts.stem = dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
    parts.extension = file.substr(parts.stem.size());
    return parts;
}

constexpr std::size_t StampLength = 15; // YYYYMMDD-HHMMSS

bool isStamp(std::string_view text)
{
    if (text.size() != StampLength || text[8] != '-')
        return false;
    for (std::size_t index = 0; index < text.size(); ++index)
        if (index != 8 && (text[index] < '0' || text[index] > '9'))
            return false;
    return true;
}

std::string stampOf(std::int64_t changedNs)
{
    const std::time_t seconds = static_cast<std::time_t>(changedNs / 1000000000);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return std::string(text, length);
}

// The order of an older backup's name: its time, then its number among those of the
// same second ("-2", "-3", ...); nothing for a name that is no older backup.
struct Age {
    std::string stamp;
    int number = 1;
    std::string name;
    bool operator<(const Age& other) const
    {
        return stamp != other.stamp ? stamp < other.stamp : number < other.number;
    }
};

std::optional<Age> ageOf(const NameParts& parts, const std::string& file)
{
    const std::string head = parts.stem + ".";
    if (file.size() < head.size() + StampLength + parts.extension.size() || !file.starts_with(head) ||
        !file.ends_with(parts.extension))
        return std::nullopt;
    const std::string_view middle =
        std::string_view(file).substr(head.size(), file.size() - head.size() - parts.extension.size());
    Age age;
    age.stamp = std::string(middle.substr(0, std::min(middle.size(), StampLength)));
    if (!isStamp(age.stamp))
        return std::nullopt;
    const std::string_view rest = middle.substr(StampLength);
    if (!rest.empty()) {
        if (rest.size() < 2 || rest.size() > 6 || rest[0] != '-' ||
            rest.find_first_not_of("0123456789", 1) != std::string_view::npos)
            return std::nullopt;
        age.number = std::stoi(std::string(rest.substr(1)));
    }
    age.name = parts.folder + file;
    return age;
}

} // namespace

int olderKept()
{
    return olderKeptSetting.load();
}

void setOlderKept(int count)
{
    olderKeptSetting.store(std::max(count, 0));
}

std::string nameForOlder(FileStore& store, const std::string& backup)
{
    const NameParts parts = partsOf(backup);
    const std::string stamp = stampOf(store.stampOf(backup).changedNs);
    for (int number = 1;; ++number) {
        std::string name = parts.folder + parts.stem + "." + stamp +
                           (number == 1 ? std::string() : "-" + std::to_string(number)) + parts.extension;
        if (!store.exists(name))
            return name;
    }
}

std::vector<std::string> olderOf(FileStore& store, const std::string& backup)
{
    const NameParts parts = partsOf(backup);
    std::vector<Age> ages;
    for (const std::string& file : store.namesBeside(backup))
        if (auto age = ageOf(parts, file))
            ages.push_back(std::move(*age));
    std::sort(ages.begin(), ages.end());
    std::vector<std::string> names;
    names.reserve(ages.size());
    for (Age& age : ages)
        names.push_back(std::move(age.name));
    return names;
}

void removeBeyondKept(FileStore& store, const std::string& backup)
{
    const std::vector<std::string> older = olderOf(store, backup);
    const auto kept = static_cast<std::size_t>(olderKept());
    for (std::size_t index = 0; index + kept < older.size(); ++index)
        store.remove(older[index]);
}

} // namespace borvelin::backups
