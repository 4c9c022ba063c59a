// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ConversionJob.h"

#include <string>
#include <string_view>

namespace borvelin {

// Export History: the route history QSLHIST.CSV as another user imports it, into a file
// the user names: the header CALL;MANAGER;DATE;SOURCE, then every line of the history.
class HistoryExportJob : public ConversionJob {
public:
    HistoryExportJob(JobState& state, StatusSink& status, const std::string& targetFile, JobFiles& files = diskFiles());

protected:
    std::string inputName() const override;
    std::string outputName() const override { return targetFile_; }
    void lineStep(std::string_view textLine) override;
    void writeGathered() override;

private:
    std::string targetFile_;
    bool headerWritten_ = false;
};

// Whether a line of QSLHIST.CSV goes into its export: blank lines do not, nor a header
// already there.
bool isExportedLine(std::string_view line);

} // namespace borvelin
