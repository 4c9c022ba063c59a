// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/SurveyedFiles.h"

#include "check/ListSurvey.h"

namespace borvelin {

std::unique_ptr<LineSource> SurveyedFiles::openInput(const std::string& name)
{
    ListSurvey(checks_, status_).survey(*files_.openInput(name));
    return files_.openInput(name);
}

} // namespace borvelin
