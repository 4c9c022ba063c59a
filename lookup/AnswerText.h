// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lookup/LookupAnswer.h"

#include <string>
#include <string_view>

namespace borvelin {

// The answer as the user reads it, in the command line and in the window alike:
//
//   Q1ABC/P
//     line 12: QSL via the manager Q2MGR; New Manager
//       Q1ABC        QSL via Q2MGR New Manager
//
// or "Q9ZZZ: not in QSL.TXT". Every line ends in "\n".
std::string answerText(const LookupAnswer& answer);
// The same, appended to `text`.
void appendAnswerText(std::string& text, const LookupAnswer& answer);
// Its parts: the first line, for the call asked and whether the list has it, and the
// two lines of each hit.
void appendAnswerHead(std::string& text, std::string_view call, bool found);
void appendHitText(std::string& text, const LookupHit& hit);
// The same for a hit whose line is `line`, whatever its own holds.
void appendHitText(std::string& text, const LookupHit& hit, std::string_view line);

} // namespace borvelin
