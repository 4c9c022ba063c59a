// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/OutputFile.h"

#include <functional>
#include <string>

namespace borvelin {

// The one way the kept list replaces its file: `write` fills a new file beside
// `listName`, which then takes its place, and the list it replaces is kept as
// `backupName`. A failure leaves both files as they were.
void replaceListKeepingBackup(const std::string& listName, const std::string& backupName,
                              const std::function<void(OutputFile&)>& write);

} // namespace borvelin
