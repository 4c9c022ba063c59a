// SPDX-License-Identifier: GPL-3.0-or-later
#include "keptlist/FileAt.h"

namespace borvelin {

bool seekTo(std::FILE* file, std::uint64_t offset)
{
#if defined(_WIN32)
    return _fseeki64(file, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

} // namespace borvelin
