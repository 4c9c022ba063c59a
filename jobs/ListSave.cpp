// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/ListSave.h"

#include "jobs/CommitSet.h"
#include "jobs/FolderAccess.h"

#include <memory>
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
    const std::vector<KeptBackup> kept = restoreBackups({{ListName, BackupName, {}}}, status, files);
    if (!kept.empty())
        saved.kept = kept.front();
    return saved;
}

std::vector<KeptBackup> restoreBackups(const std::vector<KeptBackup>& kept, StatusSink& status, JobFiles& files)
{
    // Read under the lock, so that the backups read are the ones replaced.
    const auto folderLock = beginWriting(files.store(), status);
    std::vector<std::unique_ptr<LineSink>> restored;
    std::vector<char> chunk(1 << 16);
    for (const KeptBackup& file : kept) {
        const auto backup = files.openBytes(file.backup);
        auto target = files.createOutput(file.target, OutputWrites::AsTheJobGoes);
        target->keepReplacedAs(file.backup);
        for (std::size_t got; (got = backup->read(chunk.data(), chunk.size())) != 0;)
            target->writeBytes(std::string_view(chunk.data(), got));
        restored.push_back(std::move(target));
    }
    CommitSet set(files.store());
    for (const auto& target : restored)
        target->addTo(set);
    set.commit();
    for (const auto& target : restored)
        target->markCommitted();
    return set.kept();
}

} // namespace borvelin::listfile
