// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lookup/LookupAnswer.h"

#include <string>

namespace borvelin {

// The answer as the user reads it, in the command line and in the window alike:
//
//   Q1ABC/P
//     line 12: QSL via the manager Q2MGR; New Manager
//       Q1ABC        QSL via Q2MGR New Manager
//
// or "Q9ZZZ: not in QSL.TXT". Every line ends in "\n".
std::string answerText(const LookupAnswer& answer);

} // namespace borvelin
