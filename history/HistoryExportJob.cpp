// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryExportJob.h"

#include "history/HistoryEntry.h"
#include "text/Trimmed.h"

namespace borvelin {

HistoryExportJob::HistoryExportJob(JobState& state, StatusSink& status, const std::string& targetFile, JobFiles& files)
    : ConversionJob(state, status, files), targetFile_(targetFile)
{
}

std::string HistoryExportJob::inputName() const
{
    return historyfile::FileName;
}

bool isExportedLine(std::string_view line)
{
    const std::string_view text = trimmed(line, Blanks::SpacesAndTabs);
    return !text.empty() && text != historyfile::Header;
}

void HistoryExportJob::lineStep(std::string_view textLine)
{
    if (!headerWritten_) {
        writeLine(historyfile::Header);
        headerWritten_ = true;
    }
    if (!isExportedLine(textLine))
        return;
    writeLine(textLine);
    ++state_.RecCount;
    showProgressIfDue();
}

// An empty history still exports its header.
void HistoryExportJob::writeGathered()
{
    if (!headerWritten_)
        writeLine(historyfile::Header);
}

} // namespace borvelin
