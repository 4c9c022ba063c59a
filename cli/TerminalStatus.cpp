// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TerminalStatus.h"

namespace borvelin::cli {

TerminalStatus::TerminalStatus(std::ostream& err, bool inPlace) : err_(err), inPlace_(inPlace) {}

void TerminalStatus::setPanelText(int panel, const std::string& text)
{
    if (panel == ProgressPanel) {
        progress_ = text;
        const auto interval = inPlace_ ? RewriteInterval : LineInterval;
        if (std::chrono::steady_clock::now() - lastProgress_ < interval)
            pendingProgress_ = text;
        else
            showProgress(text);
        return;
    }
    finishLine();
    writeLine(text);
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

// Standard error is unbuffered: each text goes out in one write.
void TerminalStatus::showProgress(const std::string& text)
{
    if (inPlace_) {
        const std::string share = percentRead_ >= 0 ? "  " + std::to_string(percentRead_) + '%' : std::string();
        err_ << '\r' + text + share + "\x1b[K" << std::flush;
        progressLineOpen_ = true;
    } else {
        writeLine(text);
    }
    pendingProgress_.clear();
    lastProgress_ = std::chrono::steady_clock::now();
}

void TerminalStatus::writeLine(const std::string& text)
{
    err_ << text + '\n' << std::flush;
}

void TerminalStatus::finishLine()
{
    if (!pendingProgress_.empty())
        showProgress(pendingProgress_);
    if (progressLineOpen_)
        err_ << '\n' << std::flush;
    progressLineOpen_ = false;
    progress_.clear();
    percentRead_ = -1;
}

} // namespace borvelin::cli
