// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/FailureLog.h"

#include "jobs/CommitSet.h"

#include <ctime>

namespace borvelin {

std::string FailureLog::timestamp()
{
    const std::time_t now = std::time(nullptr);
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, "%x %X", std::localtime(&now)); // one job at a time
    return std::string(text, length);
}

void FailureLog::logFailure(std::string_view line, std::string_view message)
{
    if (!pending_)
        pending_ = files_.createOutput(LogFileName, OutputWrites::AsTheJobGoes);
    pending_->writeLine(timestamp());
    pending_->writeLine(line);
    pending_->writeLine(message);
    ++entries_;
}

void FailureLog::addTo(CommitSet& set)
{
    if (!pending_)
        return;
    pending_->close();
    set.append(LogFileName, pending_->readyName(), LogFileName);
}

void FailureLog::commit()
{
    if (!pending_)
        return;
    FileStore& store = files_.store();
    logWasThere_ = store.exists(LogFileName);
    sizeBeforeCommit_ = logWasThere_ ? store.stampOf(LogFileName).size : 0;
    CommitSet set(store);
    addTo(set);
    set.commit();
    committed_ = true;
    pending_.reset(); // the entries are in the log: their temporary file goes
}

void FailureLog::rollBack() noexcept
{
    if (!committed_)
        return;
    if (logWasThere_)
        files_.store().cutBack(LogFileName, sizeBeforeCommit_);
    else
        files_.store().remove(LogFileName);
    committed_ = false;
}

} // namespace borvelin
