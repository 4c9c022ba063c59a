// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CrossLineChecks.h"
#include "jobs/FileStamp.h"
#include "jobs/JobFiles.h"
#include "jobs/StatusSink.h"

#include <memory>
#include <string>

namespace borvelin {

// Check List's files: opening the list surveys it first (the first pass), then gives
// the job the list again for the second pass, which must be the same list. The outputs
// are the files' own.
class SurveyedFiles : public JobFiles {
public:
    SurveyedFiles(JobFiles& files, CrossLineChecks& checks, StatusSink& status)
        : files_(files), checks_(checks), status_(status)
    {
    }

    std::unique_ptr<LineSource> openInput(const std::string& name) override;
    std::unique_ptr<LineSink> createOutput(const std::string& name, OutputWrites writes) override
    {
        return files_.createOutput(name, writes);
    }
    FileStore& store() override { return files_.store(); }
    // Fails when the list is no longer the one both passes read.
    void requireListUnchanged();

private:
    JobFiles& files_;
    CrossLineChecks& checks_;
    StatusSink& status_;
    std::string listName_;
    FileStamp listStamp_;
};

} // namespace borvelin
