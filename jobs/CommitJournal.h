// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/FileStore.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace borvelin {

// The steps that put a set of outputs in place, written to the folder before the first
// of them is taken, as databases keep a journal. Every file a step names is complete and
// on the disk by then, so a set whose journal is found (after a kill or a power loss) can
// always be completed: each step is taken again unless it is done.
struct CommitJournal {
    static constexpr const char* FileName = ".BORVELIN.journal";

    struct Step {
        enum class Kind { Rename, Append };
        Kind kind = Kind::Rename;
        std::string from; // the file renamed, or the entries appended
        std::string to;   // the file replaced, or the log appended to
        std::string errorName;
        std::uint64_t sizeBefore = 0; // of the log
        bool existedBefore = true;    // the log
    };

    std::vector<Step> steps;
    std::vector<std::string> leftovers; // second names to remove once the set is in place

    std::string encode() const;
    // Nothing when the bytes are no whole journal.
    static std::optional<CommitJournal> decode(std::string_view bytes);
};

// Takes the step unless it is done: a rename whose file has gone is done, as is an
// append whose entries have gone.
void takeStep(FileStore& store, const CommitJournal::Step& step);

// Completes the set whose journal is in the folder, if there is one, and says whether
// there was. The caller holds the folder's lock.
bool completeInterruptedCommit(FileStore& store);

// Puts on the disk the folder of each step's name (`&Step::from` or `&Step::to`), each
// folder once: one sync of a folder covers every name changed in it before.
void syncFoldersOf(FileStore& store, const std::vector<CommitJournal::Step>& steps,
                   std::string CommitJournal::Step::*name);

} // namespace borvelin
