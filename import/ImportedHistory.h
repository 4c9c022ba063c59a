// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryEntry.h"
#include "history/SourceNames.h"
#include "import/StationTable.h"
#include "jobs/LineSink.h"

#include <cstdint>
#include <future>
#include <string_view>
#include <vector>

namespace borvelin {

// The route history an import writes, QSLHIST.CSV: every row it takes, from the imported
// files and, when merging, from the history already there, one line per distinct call,
// manager, date and source, sorted by call, date, manager and the source's name.
//
// The rows wait in the order they came (HistoryRows), each with its station's place and
// its source's number: to write them, the stations are sorted by call, the rows put in
// that order by counting, and each station's few rows sorted by date, manager and source.
class ImportedHistory {
public:
    // The source of the rows that name none, from now on: the file being read.
    void beginFile(std::string_view source) { fileSource_ = sources_.numberOf(source); }
    // The number of a row's source: `rowSource`, or when it is empty the file's.
    std::uint32_t sourceOf(std::string_view rowSource)
    {
        return rowSource.empty() ? fileSource_ : sources_.numberOf(rowSource);
    }
    // Puts the stations, whose rows are all taken, in the order of their calls: on a
    // thread of its own while the caller goes on when `meanwhile`, else once asked for.
    void orderStations(const StationTable& stations, bool meanwhile);
    // Writes each distinct line of the stations' rows to `output`, in order.
    void write(const StationTable& stations, LineSink& output);

    // The stations in the order of their calls.
    struct StationOrder {
        std::vector<std::uint32_t> ranks; // by place in the StationTable
        std::vector<ShortCall> calls;     // by rank
    };

private:
    SourceNames sources_;
    std::uint32_t fileSource_ = 0;
    std::future<StationOrder> order_;
};

} // namespace borvelin
