// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/SurveyedFiles.h"

#include "check/ListSurvey.h"
#include "jobs/InputStamp.h"

namespace borvelin {

std::unique_ptr<LineSource> SurveyedFiles::openInput(const std::string& name)
{
    listName_ = name;
    listStamp_ = stampOfInputReadTwice(files_.store(), name);
    ListSurvey(checks_, status_).survey(*files_.openInput(name));
    auto list = files_.openInput(name);
    requireListUnchanged();
    return list;
}

void SurveyedFiles::requireListUnchanged()
{
    requireUnchangedInput(files_.store(), listName_, listStamp_);
}

} // namespace borvelin
