// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/JobRunner.h"

#include "forms/CorePath.h"
#include "jobs/StopRequest.h"

#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <exception>
#include <thread>

borvelin::JobSummary JobRunner::run(const Job& job)
{
    borvelin::JobSummary summary;
    std::exception_ptr failure;
    QEventLoop loop;
    jobEnded_ = false;
    running_ = this;
    std::thread worker([&] {
        try {
            summary = job(*this);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            std::lock_guard lock(endMutex_);
            jobEnded_ = true;
        }
        ended_.notify_all();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    running_ = nullptr;
    progressShown_.invalidate(); // the last texts go out now
    deliver();
    if (failure)
        std::rethrow_exception(failure);
    return summary;
}

// Called on the window's thread, within run()'s loop, so that the runner outlives the wait.
void JobRunner::stopRunningJobAndWait(int waitMs)
{
    JobRunner* runner = running_;
    if (!runner)
        return;
    borvelin::requestStop();
    std::unique_lock lock(runner->endMutex_);
    runner->ended_.wait_for(lock, std::chrono::milliseconds(waitMs), [runner] { return runner->jobEnded_; });
}

void JobRunner::setPanelText(int panel, const std::string& text)
{
    std::lock_guard lock(mutex_);
    pendingTexts_.at(static_cast<std::size_t>(panel - 1)) = text;
    scheduleDelivery();
}

void JobRunner::showInputRead(std::uint64_t bytesRead, std::uint64_t bytesInAll)
{
    if (bytesInAll == 0)
        return;
    std::lock_guard lock(mutex_);
    pendingShare_ = static_cast<int>(std::min<std::uint64_t>(bytesRead, bytesInAll) * 1000 / bytesInAll);
    scheduleDelivery();
}

// With the mutex held.
void JobRunner::scheduleDelivery()
{
    if (deliveryScheduled_)
        return;
    deliveryScheduled_ = true;
    QMetaObject::invokeMethod(this, &JobRunner::deliver, Qt::QueuedConnection);
}

void JobRunner::deliver()
{
    std::array<std::optional<std::string>, Panels> texts;
    std::optional<int> share;
    bool progressWaits = false;
    const bool progressDue = !progressShown_.isValid() || progressShown_.elapsed() >= ProgressIntervalMs;
    {
        std::lock_guard lock(mutex_);
        for (int panel = 1; panel <= Panels; ++panel) {
            auto& pending = pendingTexts_.at(static_cast<std::size_t>(panel - 1));
            if (panel != borvelin::ProgressPanel || progressDue)
                texts.at(static_cast<std::size_t>(panel - 1)) = std::exchange(pending, std::nullopt);
        }
        if (progressDue)
            share = std::exchange(pendingShare_, std::nullopt);
        deliveryScheduled_ = pendingTexts_[borvelin::ProgressPanel - 1] || pendingShare_;
        progressWaits = deliveryScheduled_;
    }
    if (progressWaits) // the progress panel waits for its turn, which is due later
        QTimer::singleShot(ProgressIntervalMs - static_cast<int>(progressShown_.elapsed()), this, &JobRunner::deliver);
    for (int panel = 1; panel <= Panels; ++panel)
        if (const auto& text = texts.at(static_cast<std::size_t>(panel - 1)))
            emit showPanelText(panel, fromCore(*text));
    if (share)
        emit showShareRead(*share);
    if (texts[borvelin::ProgressPanel - 1] || share)
        progressShown_.start();
}
