// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/StatusSink.h"

#include <cstdint>

namespace borvelin {

// One pass of a job that reads its input several times, as the share of the whole job:
// what pass `pass` (from 0) of `passes` reports of its input goes on as one progress from
// 0 to 100 % over all of them. The panel texts pass as they are.
class PassProgress : public StatusSink {
public:
    PassProgress(StatusSink& whole, unsigned pass, unsigned passes) : whole_(whole), pass_(pass), passes_(passes) {}

    void setPanelText(int panel, const std::string& text) override { whole_.setPanelText(panel, text); }
    void showInputRead(std::uint64_t bytesRead, std::uint64_t bytesInAll) override
    {
        whole_.showInputRead(pass_ * bytesInAll + bytesRead, passes_ * bytesInAll);
    }

private:
    StatusSink& whole_;
    std::uint64_t pass_;
    std::uint64_t passes_;
};

} // namespace borvelin
