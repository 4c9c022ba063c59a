// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/StatusSink.h"

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace borvelin::cli {

// Shows the panel texts on standard error, one per line. On a terminal the progress
// panel is rewritten in place instead of adding a line at every update, with the share
// of the input read, and no more often than the eye can follow; the latest text is
// always shown before anything else.
class TerminalStatus : public StatusSink {
public:
    static constexpr std::chrono::milliseconds RewriteInterval{40};

    TerminalStatus(std::ostream& err, bool inPlace);
    void setPanelText(int panel, const std::string& text) override;
    void showInputRead(std::uint64_t bytesRead, std::uint64_t bytesInAll) override;
    // Ends a progress line that was being rewritten in place.
    void finishLine();

private:
    void rewriteProgress(const std::string& text);
    void showPendingProgress();

    std::ostream& err_;
    bool inPlace_;
    bool progressLineOpen_ = false;
    std::string pendingProgress_; // a progress text not yet shown
    std::string progress_;        // the progress text last shown or pending
    int percentRead_ = -1;        // of the input, -1 when not known
    std::chrono::steady_clock::time_point lastRewrite_{};
};

} // namespace borvelin::cli
