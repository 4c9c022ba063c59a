// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <mutex>
#include <thread>

namespace borvelin {

// Writes the buffers handed to it to a file on a thread of its own, one at a time, so
// that the job fills its next buffer meanwhile. The first failed write is kept and
// reported by every call after it; nothing more is written then.
class WriteBehind {
public:
    explicit WriteBehind(std::FILE* file);
    // Waits for the write in progress.
    ~WriteBehind();
    WriteBehind(const WriteBehind&) = delete;
    WriteBehind& operator=(const WriteBehind&) = delete;

    // Waits until the buffer handed over before is written, then starts on this one,
    // whose bytes must stay as they are until the next call. Returns the errno of a
    // failed write, 0 when all went well so far.
    int write(const char* data, std::size_t size);
    // Waits until everything handed over is written; the errno of a failure, or 0.
    int finish();

private:
    void run();

    std::FILE* file_;
    std::mutex mutex_;
    std::condition_variable changed_;
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    bool busy_ = false; // a buffer is handed over and not yet written
    bool quit_ = false;
    int error_ = 0;
    std::thread thread_; // last: it starts once the rest is set up
};

} // namespace borvelin
