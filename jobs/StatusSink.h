// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace borvelin {

// The four panels of the conversions' status bar, numbered from 1 at the left.
enum StatusPanel : int {
    ProgressPanel = 1,
    FromPanel = 2,
    ToPanel = 3,
    CurrentDirPanel = 4,
};

// Where a running job reports "panel i now reads X": the main window's status bar,
// or standard error in the command-line companion.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    virtual void setPanelText(int panel, const std::string& text) = 0;
    // How much of the input the running job has read; reported every few thousand lines.
    virtual void showInputRead(std::uint64_t bytesRead, std::uint64_t bytesInAll)
    {
        (void)bytesRead;
        (void)bytesInAll;
    }
};

} // namespace borvelin
