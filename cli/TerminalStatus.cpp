// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TerminalStatus.h"

namespace borvelin::cli {

TerminalStatus::TerminalStatus(std::ostream& err, bool inPlace) : err_(err), inPlace_(inPlace) {}

void TerminalStatus::setPanelText(int panel, const std::string& text)
{
    if (inPlace_ && panel == ProgressPanel) {
        progress_ = text;
        if (std::chrono::steady_clock::now() - lastRewrite_ < RewriteInterval)
            pendingProgress_ = text;
        else
            rewriteProgress(text);
        return;
    }
    finishLine();
    err_ << text << '\n' << std::flush;
}

void TerminalStatus::showInputRead(std::uint64_t bytesRead, std::uint64_t bytesInAll)
{
    if (!inPlace_ || bytesInAll == 0)
        return;
    const int percent = static_cast<int>(bytesRead * 100 / bytesInAll);
    if (percent == percentRead_)
        return;
    percentRead_ = percent;
    if (!progress_.empty())
        setPanelText(ProgressPanel, progress_);
}

void TerminalStatus::rewriteProgress(const std::string& text)
{
    err_ << '\r' << text;
    if (percentRead_ >= 0)
        err_ << "  " << percentRead_ << '%';
    err_ << "\x1b[K" << std::flush;
    progressLineOpen_ = true;
    pendingProgress_.clear();
    lastRewrite_ = std::chrono::steady_clock::now();
}

void TerminalStatus::showPendingProgress()
{
    if (!pendingProgress_.empty())
        rewriteProgress(pendingProgress_);
}

void TerminalStatus::finishLine()
{
    showPendingProgress();
    if (progressLineOpen_)
        err_ << '\n' << std::flush;
    progressLineOpen_ = false;
    progress_.clear();
    percentRead_ = -1;
}

} // namespace borvelin::cli
