// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/ConversionJob.h"

namespace borvelin {

// QSL Buro list: copies the bureau lines of QSL.TXT into QSLADM.TXT.
class BuroListJob : public ConversionJob {
public:
    using ConversionJob::ConversionJob;

protected:
    std::string inputName() const override { return "QSL.TXT"; }
    std::string outputName() const override { return "QSLADM.TXT"; }
    NamesShown namesShown() const override { return NamesShown::BeforeFilesOpen; }
    void lineStep(std::string_view textLine) override;
};

} // namespace borvelin
