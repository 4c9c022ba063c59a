// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/CommitSet.h"

#include "jobs/BackupGenerations.h"
#include "jobs/JobError.h"

#include <algorithm>

namespace borvelin {

void CommitSet::replace(const std::string& target, const std::string& ready, const std::string& errorName)
{
    replacements_.push_back({target, ready, {}, errorName, {}});
}

void CommitSet::replaceKeepingBackup(const std::string& target, const std::string& ready, const std::string& backup,
                                     const std::string& errorName, const std::string& backupErrorName)
{
    replacements_.push_back({target, ready, backup, errorName, backupErrorName});
}

void CommitSet::append(const std::string& log, const std::string& entries, const std::string& errorName)
{
    appendings_.push_back({log, entries, errorName});
}

bool CommitSet::isSingleRename() const
{
    return replacements_.size() == 1 && appendings_.empty() &&
           (replacements_[0].backup.empty() || !store_.exists(replacements_[0].target));
}

void CommitSet::commit()
{
    if (replacements_.empty() && appendings_.empty())
        return;
    if (isSingleRename()) {
        const Replacement& only = replacements_[0];
        store_.rename(only.ready, only.target, only.errorName);
        return;
    }
    CommitJournal journal;
    try {
        prepare(journal);
        writeJournal(journal);
    } catch (...) {
        removeSecondNames();
        throw;
    }
    putInPlace(journal);
    syncFoldersOf(store_, journal.steps, &Step::to);
    store_.remove(CommitJournal::FileName);
    removeSecondNames();
    kept_ = keeping_;
    for (const Replacement& replacement : replacements_)
        if (!replacement.backup.empty())
            backups::removeBeyondKept(store_, replacement.backup);
}

// Everything the steps need is made and put on the disk, under names of the program's
// own: nothing the user sees changes yet.
void CommitSet::prepare(CommitJournal& journal)
{
    for (const Replacement& replacement : replacements_) {
        store_.syncFile(replacement.ready, replacement.errorName);
        prepareReplacement(replacement, journal);
    }
    for (const Appending& appending : appendings_) {
        store_.syncFile(appending.entries, appending.errorName);
        Step step;
        step.kind = Step::Kind::Append;
        step.from = appending.entries;
        step.to = appending.log;
        step.errorName = appending.errorName;
        step.existedBefore = store_.exists(appending.log);
        step.sizeBefore = step.existedBefore ? store_.stampOf(appending.log).size : 0;
        journal.steps.push_back(step);
        saved_.emplace_back();
    }
    syncFoldersOf(store_, journal.steps, &Step::from);
}

// With a backup: the backup becomes an older one, the new file the target, and the old
// target the backup. The old target's second name serves both as its way back and as
// the new backup, since undoing the last step gives it back before the second needs it.
void CommitSet::prepareReplacement(const Replacement& replacement, CommitJournal& journal)
{
    const bool targetThere = store_.exists(replacement.target);
    if (replacement.backup.empty() || !targetThere) {
        const std::string saved =
            targetThere ? secondName(replacement.target, replacement.target, replacement.errorName) : std::string();
        addRename(journal, replacement.ready, replacement.target, replacement.errorName, saved);
        return;
    }
    KeptBackup kept{replacement.errorName, replacement.backup, {}};
    const bool backupThere = store_.exists(replacement.backup);
    if (backupThere && backups::olderKept() > 0) {
        kept.older = backups::nameForOlder(store_, replacement.backup);
        const std::string older = secondName(replacement.backup, replacement.backup, replacement.backupErrorName);
        addRename(journal, older, kept.older, replacement.backupErrorName, {});
    }
    const std::string oldTarget = secondName(replacement.target, replacement.backup, replacement.backupErrorName);
    addRename(journal, replacement.ready, replacement.target, replacement.errorName, oldTarget);
    const std::string oldBackup =
        backupThere ? secondName(replacement.backup, replacement.backup, replacement.backupErrorName) : std::string();
    addRename(journal, oldTarget, replacement.backup, replacement.backupErrorName, oldBackup);
    if (!oldBackup.empty())
        journal.leftovers.push_back(oldBackup);
    keeping_.push_back(kept);
}

// A journal that cannot be written (a full disk) fails the set with an error that names
// its first file: the journal is no file of the user's.
void CommitSet::writeJournal(const CommitJournal& journal)
{
    try {
        store_.writeWhole(CommitJournal::FileName, journal.encode());
    } catch (const JobError& error) {
        throw error.at(journal.steps.front().errorName, 0);
    }
}

void CommitSet::addRename(CommitJournal& journal, const std::string& from, const std::string& to,
                          const std::string& errorName, const std::string& saved)
{
    Step step;
    step.from = from;
    step.to = to;
    step.errorName = errorName;
    journal.steps.push_back(step);
    saved_.push_back(saved);
    if (!saved.empty() &&
        std::find(journal.leftovers.begin(), journal.leftovers.end(), saved) == journal.leftovers.end())
        journal.leftovers.push_back(saved);
}

std::string CommitSet::secondName(const std::string& original, const std::string& beside, const std::string& errorName)
{
    secondNames_.push_back(store_.keepUnderTemporaryName(original, beside, errorName));
    return secondNames_.back();
}

void CommitSet::putInPlace(const CommitJournal& journal)
{
    std::size_t taken = 0;
    try {
        for (; taken < journal.steps.size(); ++taken)
            takeStep(store_, journal.steps[taken]);
    } catch (const JobError&) {
        if (undo(journal, taken)) {
            store_.remove(CommitJournal::FileName);
            removeSecondNames();
        }
        throw;
    }
}

// Each step taken is undone, the last first: a rename is renamed back and the file it
// replaced gets its name again; an append is cut off. False when that failed.
bool CommitSet::undo(const CommitJournal& journal, std::size_t stepsTaken) noexcept
{
    try {
        for (std::size_t index = stepsTaken; index-- > 0;) {
            const Step& step = journal.steps[index];
            if (step.kind == Step::Kind::Append) {
                if (step.existedBefore)
                    store_.cutBack(step.to, step.sizeBefore);
                else
                    store_.remove(step.to);
                continue;
            }
            store_.rename(step.to, step.from, step.errorName);
            if (!saved_[index].empty())
                store_.rename(saved_[index], step.to, step.errorName);
        }
        return true;
    } catch (const JobError&) {
        return false;
    }
}

void CommitSet::removeSecondNames() noexcept
{
    for (const std::string& name : secondNames_)
        store_.remove(name);
}

} // namespace borvelin
