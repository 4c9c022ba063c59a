// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/ListSave.h"

#include "jobs/CommitSet.h"
#include "jobs/FolderAccess.h"

#include <vector>

namespace borvelin::listfile {

Saved save(const std::function<void(LineSink&)>& writeLines, StatusSink& status, JobFiles& files)
{
    const auto folderLock = beginWriting(files.store(), status);
    const auto list = files.createOutput(ListName, OutputWrites::AsTheJobGoes);
    list->keepReplacedAs(BackupName);
    writeLines(*list);
    CommitSet set(files.store());
    list->addTo(set);
    set.commit();
    list->markCommitted();
    Saved saved;
    saved.lines = list->linesWritten();
    if (!set.kept().empty())
        saved.kept = set.kept().front();
    return saved;
}

Saved restoreBackup(StatusSink& status, JobFiles& files)
{
    Saved saved;
    // Read under the lock, so that the backup read is the one replaced.
    const auto folderLock = beginWriting(files.store(), status);
    const auto backup = files.openBytes(BackupName);
    const auto list = files.createOutput(ListName, OutputWrites::AsTheJobGoes);
    list->keepReplacedAs(BackupName);
    std::vector<char> chunk(1 << 16);
    for (std::size_t got; (got = backup->read(chunk.data(), chunk.size())) != 0;)
        list->writeBytes(std::string_view(chunk.data(), got));
    CommitSet set(files.store());
    list->addTo(set);
    set.commit();
    list->markCommitted();
    if (!set.kept().empty())
        saved.kept = set.kept().front();
    return saved;
}

} // namespace borvelin::listfile
