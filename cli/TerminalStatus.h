#pragma once

#include "jobs/StatusSink.h"

#include <ostream>

namespace borvelin::cli {

// Shows the panel texts on standard error, one per line. On a terminal the progress
// panel is rewritten in place instead of adding a line at every update.
class TerminalStatus : public StatusSink {
public:
    TerminalStatus(std::ostream& err, bool inPlace);
    void setPanelText(int panel, const std::string& text) override;
    // Ends a progress line that was being rewritten in place.
    void finishLine();

private:
    std::ostream& err_;
    bool inPlace_;
    bool progressLineOpen_ = false;
};

} // namespace borvelin::cli
