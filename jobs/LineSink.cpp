// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/LineSink.h"

#include "jobs/JobError.h"

namespace borvelin {

void LineSink::keepReplacedAs(const std::string& backupName)
{
    throw JobError(ErrorNumber::InternalError, "Internal error (this output cannot keep a backup)", backupName);
}

} // namespace borvelin
