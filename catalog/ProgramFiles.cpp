// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/ProgramFiles.h"

#include "catalog/Catalog.h"

#include <algorithm>
#include <array>

namespace borvelin {

namespace {

constexpr std::array<std::string_view, 12> ReportOrder = {
    "QSL.TXT",    "QSL.BAK",    "QSLHIST.CSV", "QSLHIST.BAK", "QSL.FUL",    "QSL.CSV",
    "QSLMGR.TXT", "QSLADM.TXT", "QSLCHK.CSV",  "QSLCLU.FUL",  "QSLVIA.CSV", "BORVELIN.LOG",
};

std::size_t placeInReport(std::string_view file)
{
    return static_cast<std::size_t>(std::find(ReportOrder.begin(), ReportOrder.end(), file) - ReportOrder.begin());
}

void addOnce(std::vector<std::string_view>& files, std::span<const CommandFile> used)
{
    for (const CommandFile& file : used)
        if (file.place == CommandFile::Place::WorkingFolder &&
            std::find(files.begin(), files.end(), file.name) == files.end())
            files.push_back(file.name);
}

} // namespace

std::vector<std::string_view> programFiles()
{
    std::vector<std::string_view> files;
    for (const Command& command : commands()) {
        addOnce(files, command.reads);
        addOnce(files, command.writes);
    }
    std::stable_sort(files.begin(), files.end(),
                     [](std::string_view a, std::string_view b) { return placeInReport(a) < placeInReport(b); });
    return files;
}

} // namespace borvelin
