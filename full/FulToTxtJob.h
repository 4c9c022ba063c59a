// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ConversionJob.h"

namespace borvelin {

// Convert FUL to TXT: keeps the lines of QSL.FUL longer than 20 bytes, which drops the
// short marker and call lines and rebuilds the manager list. The list it replaces, the
// user's master file, is kept as QSL.BAK.
class FulToTxtJob : public ConversionJob {
public:
    using ConversionJob::ConversionJob;

protected:
    std::string inputName() const override { return "QSL.FUL"; }
    std::string outputName() const override { return "QSL.TXT"; }
    std::string backupName() const override { return "QSL.BAK"; }
    void lineStep(std::string_view textLine) override;
};

} // namespace borvelin
