// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportedHistory.h"

#include <algorithm>
#include <vector>

namespace borvelin {

namespace {

constexpr std::size_t RowsAhead = 16;

char* put(char* out, std::string_view text)
{
    return std::copy(text.begin(), text.end(), out);
}

// Writes one station's rows, which `rows` holds in any order.
class StationWriter {
public:
    StationWriter(const SourceNames& sources, LineSink& output)
        : ranks_(sources.ranks()), sources_(sources), output_(output)
    {
    }
    void write(std::string_view call, std::vector<HistoryRows::Row>& rows)
    {
        std::sort(rows.begin(), rows.end(), [this](const HistoryRows::Row& a, const HistoryRows::Row& b) {
            if (a.date != b.date)
                return a.date < b.date;
            if (!(a.manager == b.manager))
                return a.manager < b.manager;
            return ranks_[a.source] < ranks_[b.source];
        });
        const HistoryRows::Row* previous = nullptr;
        for (const HistoryRows::Row& row : rows) {
            if (previous && previous->date == row.date && previous->manager == row.manager &&
                previous->source == row.source)
                continue;
            previous = &row;
            writeLine(call, row);
        }
    }

private:
    void writeLine(std::string_view call, const HistoryRows::Row& row)
    {
        const std::string_view manager = row.manager.view();
        const std::string_view date = dateText(row.date, date_);
        const std::string_view source = sources_.nameOf(row.source);
        char* out = output_.lineSpace(call.size() + manager.size() + date.size() + source.size() + 3);
        out = put(out, call);
        *out++ = ';';
        out = put(out, manager);
        *out++ = ';';
        out = put(out, date);
        *out++ = ';';
        put(out, source);
    }

    std::vector<std::uint32_t> ranks_; // of each source's name
    const SourceNames& sources_;
    LineSink& output_;
    DateText date_;
};

// The calls sort as two numbers each, their bytes in order.
ImportedHistory::StationOrder stationsByCall(const StationTable& stations)
{
    struct Station {
        std::uint64_t high;
        std::uint64_t low;
        std::uint32_t place;
    };
    std::vector<Station> order;
    std::vector<ShortCall> byPlace;
    stations.forEachTakenStation([&](const ImportedStation& station) {
        const auto [high, low] = station.call.byteOrder();
        order.push_back({high, low, static_cast<std::uint32_t>(order.size())});
        byPlace.push_back(station.call);
    });
    std::sort(order.begin(), order.end(),
              [](const Station& a, const Station& b) { return a.high != b.high ? a.high < b.high : a.low < b.low; });
    ImportedHistory::StationOrder sorted{std::vector<std::uint32_t>(order.size()),
                                         std::vector<ShortCall>(order.size())};
    for (std::uint32_t rank = 0; rank < order.size(); ++rank) {
        sorted.ranks[order[rank].place] = rank;
        sorted.calls[rank] = byPlace[order[rank].place];
    }
    return sorted;
}

} // namespace

// The rows are put in the order of their stations' calls by counting: how many each
// station has gives where its rows begin, and one pass over the rows in the order they
// came puts each row's number in its place. Lines that differ only in their source are
// written in the order of the sources' names, so that the same rows give the same file
// whatever order the sources came in.
void ImportedHistory::orderStations(const StationTable& stations, bool meanwhile)
{
    order_ = std::async(meanwhile ? std::launch::async : std::launch::deferred,
                        [&stations] { return stationsByCall(stations); });
}

void ImportedHistory::write(const StationTable& stations, LineSink& output)
{
    const StationOrder order = order_.get();
    const std::vector<std::uint32_t>& ranks = order.ranks;
    const std::vector<ShortCall>& calls = order.calls;
    const HistoryRows& rows = stations.historyRows();
    std::vector<std::uint32_t> begins(calls.size() + 1); // of each rank's rows
    for (std::uint32_t row = 0; row < rows.size(); ++row)
        ++begins[ranks[rows.at(row).station] + 1];
    for (std::size_t rank = 1; rank < begins.size(); ++rank)
        begins[rank] += begins[rank - 1];
    std::vector<std::uint32_t> byCall(rows.size());
    std::vector<std::uint32_t> next(begins.begin(), begins.end() - 1);
    for (std::uint32_t row = 0; row < rows.size(); ++row)
        byCall[next[ranks[rows.at(row).station]]++] = row;

    StationWriter writer(sources_, output);
    std::vector<HistoryRows::Row> ofStation;
    for (std::uint32_t rank = 0, at = 0; rank < calls.size(); ++rank) {
        ofStation.clear();
        for (; at < begins[rank + 1]; ++at) {
            // In the calls' order the rows lie all over memory: each is asked for some
            // rows early, so that the waits overlap.
            if (at + RowsAhead < byCall.size())
                rows.prefetch(byCall[at + RowsAhead]);
            ofStation.push_back(rows.at(byCall[at]));
        }
        writer.write(calls[rank].view(), ofStation);
    }
}

} // namespace borvelin
