// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/WriteBehind.h"

#include <cerrno>

namespace borvelin {

WriteBehind::WriteBehind(std::FILE* file) : file_(file), thread_([this] { run(); }) {}

WriteBehind::~WriteBehind()
{
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

int WriteBehind::write(const char* data, std::size_t size)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    if (error_ != 0)
        return error_;
    data_ = data;
    size_ = size;
    busy_ = true;
    lock.unlock();
    changed_.notify_all();
    return 0;
}

int WriteBehind::finish()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    return error_;
}

void WriteBehind::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return busy_ || quit_; });
        if (!busy_)
            return;
        const char* data = data_;
        const std::size_t size = size_;
        lock.unlock();
        errno = 0;
        const bool written = std::fwrite(data, 1, size, file_) == size;
        const int error = written ? 0 : (errno != 0 ? errno : EIO);
        lock.lock();
        error_ = error;
        busy_ = false;
        changed_.notify_all();
    }
}

} // namespace borvelin
