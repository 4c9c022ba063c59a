// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/CommitJournal.h"
#include "jobs/FileStore.h"
#include "jobs/KeptBackup.h"

#include <string>
#include <vector>

namespace borvelin {

// Outputs that belong together, put in place as one: new files that replace their
// targets (a master file keeping its backups), and entries appended to a log. The set
// is written to a journal first (CommitJournal), so that a run killed while it puts the
// files in place is completed by the next command in the folder; a step that fails is
// undone with every step before it, which leaves every file as it was.
//
// A set of one new file and nothing else is a single rename, which needs no journal.
class CommitSet {
public:
    explicit CommitSet(FileStore& store) : store_(store) {}

    // `ready`, complete, takes `target`'s place. Errors name `errorName`.
    void replace(const std::string& target, const std::string& ready, const std::string& errorName);
    // The same, and what `target` held becomes `backup`, whose own bytes become an older
    // backup (see BackupGenerations.h).
    void replaceKeepingBackup(const std::string& target, const std::string& ready, const std::string& backup,
                              const std::string& errorName, const std::string& backupErrorName);
    // The bytes of `entries`, complete, go to the end of `log`.
    void append(const std::string& log, const std::string& entries, const std::string& errorName);

    // Puts it all in place; on failure every file is as it was. Should even undoing the
    // steps taken fail, the journal stays, and the next command completes the set.
    void commit();

    // The backups the commit made.
    const std::vector<KeptBackup>& kept() const { return kept_; }

private:
    struct Replacement {
        std::string target;
        std::string ready;
        std::string backup; // empty: not kept
        std::string errorName;
        std::string backupErrorName;
    };
    struct Appending {
        std::string log;
        std::string entries;
        std::string errorName;
    };
    using Step = CommitJournal::Step;

    bool isSingleRename() const;
    void prepare(CommitJournal& journal);
    void prepareReplacement(const Replacement& replacement, CommitJournal& journal);
    void writeJournal(const CommitJournal& journal);
    void addRename(CommitJournal& journal, const std::string& from, const std::string& to, const std::string& errorName,
                   const std::string& saved);
    std::string secondName(const std::string& original, const std::string& beside, const std::string& errorName);
    void putInPlace(const CommitJournal& journal);
    bool undo(const CommitJournal& journal, std::size_t stepsTaken) noexcept;
    void removeSecondNames() noexcept;

    FileStore& store_;
    std::vector<Replacement> replacements_;
    std::vector<Appending> appendings_;
    std::vector<std::string> saved_;       // of each step: the replaced file's second name, or empty
    std::vector<std::string> secondNames_; // made by this commit
    std::vector<KeptBackup> kept_;
    std::vector<KeptBackup> keeping_; // until the set is in place
};

} // namespace borvelin
