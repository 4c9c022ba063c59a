// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calls/CallTable.h"
#include "calls/ShortCall.h"
#include "history/HistoryEntry.h"
#include "history/ImportRow.h"
#include "history/SourceNames.h"
#include "jobs/LinePass.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// C14: the months in which the route history QSLHIST.CSV gives a call two managers, read
// in a pass of their own. The history comes sorted by call, as import writes it: each
// call's lines are looked at together, and only the calls with such a month are kept.
class HistoryConflicts : public LinePass {
public:
    // One month with two managers or more.
    struct Month {
        std::string managers;      // "Q2MGR (LISTA.CSV) and Q3MGR (LISTB.CSV) in 2015-03"
        std::uint32_t historyLine; // the first of its lines in QSLHIST.CSV, from 1
    };
    struct Call {
        ShortCall call;
        std::vector<Month> months;
        std::uint64_t key = 0; // callKey of the call
        bool inList = false;   // QSL.TXT has a line of the station
    };

    // The call of a list line whose first word has the key `key`, or NotThere; for any
    // number of threads at once.
    std::uint32_t placeOf(std::uint64_t key, std::string_view firstWord) const;
    const Call& at(std::uint32_t place) const { return calls_.at(place); }
    // Marks the call as one QSL.TXT has.
    void markInList(std::uint32_t place) { calls_.at(place).inList = true; }
    // Visits every call, in the history's order.
    template <typename Visit>
    void forEachCall(Visit visit) const
    {
        calls_.forEach(visit);
    }

    // The lines are read on any thread, and taken up in order.
    bool worksOnBlocks() const override { return true; }
    void prepare(std::size_t workers, std::size_t blocksPerBatch) override;
    void work(std::size_t worker, const LineBlock& block) override;
    void takeUp(const LineBlock& block) override;
    void finish() override;

private:
    struct ReadLine {
        bool isRow = false; // a row the import would take
        ImportRow row;
    };
    struct Line {
        HistoryEntry entry;
        std::uint32_t number = 0; // in the file, from 1
    };
    void endCall();

    CallTable<Call> calls_;
    SourceNames sources_;
    std::vector<Line> callLines_; // of the call in hand
    std::vector<ReadLine> read_;  // of the batch's lines
};

} // namespace borvelin
