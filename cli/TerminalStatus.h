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
// of the input read, and no more often than the eye can follow; elsewhere (a file, a
// pipe) a progress line is added at most every LineInterval, as a log of a long run
// needs no more. Either way the latest progress text is always shown before anything
// else.
class TerminalStatus : public StatusSink {
public:
    static constexpr std::chrono::milliseconds RewriteInterval{40};
    static constexpr std::chrono::milliseconds LineInterval{250};

    TerminalStatus(std::ostream& err, bool inPlace);
    void setPanelText(int panel, const std::string& text) override;
    void showInputRead(std::uint64_t bytesRead, std::uint64_t bytesInAll) override;
    // Shows the latest progress text if it is not yet shown, and ends a progress line
    // that was being rewritten in place.
    void finishLine();

private:
    void showProgress(const std::string& text);
    void writeLine(const std::string& text);

    std::ostream& err_;
    bool inPlace_;
    bool progressLineOpen_ = false;
    std::string pendingProgress_; // a progress text not yet shown
    std::string progress_;        // the progress text last shown or pending
    int percentRead_ = -1;        // of the input, -1 when not known
    std::chrono::steady_clock::time_point lastProgress_{};
};

} // namespace borvelin::cli
