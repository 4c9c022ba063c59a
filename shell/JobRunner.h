// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobSummary.h"
#include "jobs/StatusSink.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <array>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>

// Runs a job on a thread of its own while the window's event loop goes on, so that the
// window repaints, moves and resizes, and returns once the job has ended. What the job
// reports reaches the window on its own thread: panel texts through showPanelText, the
// share of the input read through showInputRead. The progress panel is passed on at
// most every ProgressIntervalMs, the latest text first; every other panel at once.
class JobRunner : public QObject, public borvelin::StatusSink {
    Q_OBJECT

public:
    using Job = std::function<borvelin::JobSummary(borvelin::StatusSink&)>;
    static constexpr int ProgressIntervalMs = 40;

    // Runs `job` to its end and gives back its summary; rethrows what the job threw.
    borvelin::JobSummary run(const Job& job);
    // Stops the job that runs, if one does, and waits until it has ended and cleaned up,
    // at most `waitMs`: for the end of a session, after which the program gets no time.
    static void stopRunningJobAndWait(int waitMs = 20000);

    // Called on the job's thread.
    void setPanelText(int panel, const std::string& text) override;
    void showInputRead(std::uint64_t bytesRead, std::uint64_t bytesInAll) override;

signals:
    void showPanelText(int panel, const QString& text);
    // The share of the input read, in thousandths.
    void showShareRead(int thousandths);

private:
    static constexpr int Panels = 4;

    void deliver();
    void scheduleDelivery();

    std::mutex mutex_; // guards what the job's thread leaves for the window
    std::array<std::optional<std::string>, Panels> pendingTexts_;
    std::optional<int> pendingShare_;
    bool deliveryScheduled_ = false;

    QElapsedTimer progressShown_; // window thread only

    std::mutex endMutex_;
    std::condition_variable ended_;
    bool jobEnded_ = false;
    static inline std::atomic<JobRunner*> running_{nullptr};
};
