#include "cli/TerminalStatus.h"

namespace borvelin::cli {

TerminalStatus::TerminalStatus(std::ostream& err, bool inPlace) : err_(err), inPlace_(inPlace) {}

void TerminalStatus::setPanelText(int panel, const std::string& text)
{
    if (inPlace_ && panel == ProgressPanel) {
        err_ << '\r' << text << "\x1b[K" << std::flush;
        progressLineOpen_ = true;
        return;
    }
    finishLine();
    err_ << text << '\n' << std::flush;
}

void TerminalStatus::finishLine()
{
    if (progressLineOpen_)
        err_ << '\n' << std::flush;
    progressLineOpen_ = false;
}

} // namespace borvelin::cli
