// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobFiles.h"
#include "jobs/JobOptions.h"
#include "jobs/JobState.h"
#include "jobs/StatusSink.h"

#include <string>
#include <vector>

namespace borvelin {

// What a command is given besides the files of the working folder: on the command line
// its operands, in the window what its dialog asked for.
struct CommandArguments {
    std::string file;   // the file it works on: the list to import, the log to fill, the export
    bool merge = false; // import adds only the stations QSL.TXT lacks
    bool exact = false; // the fill writes only the routes of the calls' own lines
    // For a command that takes several files (import): those after the first.
    std::vector<std::string> moreFiles{};
};

// What a command's job is made from.
struct CommandContext {
    JobState& state;
    StatusSink& status;
    JobFiles& files;
    const CommandArguments& arguments;
    JobOptions options = {};
};

} // namespace borvelin
