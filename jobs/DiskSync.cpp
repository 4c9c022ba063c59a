// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/DiskSync.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace borvelin {

bool syncToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

} // namespace borvelin
