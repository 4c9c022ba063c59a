#include "managers/FailureLog.h"

#include "jobs/JobError.h"

#include <cerrno>
#include <cstdio>
#include <ctime>

namespace borvelin {

std::string FailureLog::timestamp()
{
    const std::time_t now = std::time(nullptr);
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, "%x %X", std::localtime(&now)); // jobs run on one thread
    return std::string(text, length);
}

void FailureLog::logFailure(std::string_view line, std::string_view message)
{
    std::string entry = timestamp();
    entry.append("\r\n").append(line).append("\r\n").append(message).append("\r\n");
    errno = 0;
    std::FILE* log = std::fopen(LogFileName, "ab");
    if (!log)
        throw JobError::fromErrno(errno ? errno : EACCES, LogFileName);
    const bool written = std::fwrite(entry.data(), 1, entry.size(), log) == entry.size();
    const int writeError = errno;
    const bool closed = std::fclose(log) == 0;
    if (!written || !closed)
        throw JobError::fromErrno(writeError ? writeError : (errno ? errno : EIO), LogFileName);
}

} // namespace borvelin
