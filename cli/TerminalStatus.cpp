// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TerminalStatus.h"

namespace borvelin::cli {

TerminalStatus::TerminalStatus(std::ostream& err, bool inPlace) : err_(err), inPlace_(inPlace) {}

void TerminalStatus::setPanelText(int panel, const std::string& text)
{
    if (inPlace_ && panel == ProgressPanel) {
        if (std::chrono::steady_clock::now() - lastRewrite_ < RewriteInterval)
            pendingProgress_ = text;
        else
            rewriteProgress(text);
        return;
    }
    finishLine();
    err_ << text << '\n' << std::flush;
}

void TerminalStatus::rewriteProgress(const std::string& text)
{
    err_ << '\r' << text << "\x1b[K" << std::flush;
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
}

} // namespace borvelin::cli
