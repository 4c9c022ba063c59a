// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryEntry.h"
#include "history/SourceNames.h"
#include "lookup/LookupAnswer.h"

#include <span>
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

// The route history of the call asked, after its hits: for each call of the lines (the
// call and its portable forms), its lines oldest first, each with its date, manager and
// source, and a month with two managers marked on each of its lines:
//
//     history of Q1ABC, oldest first:
//       2019-03     Q2MGR         LISTA.CSV
//       2024-05     Q3NEW         LISTA.CSV  (two managers in 2024-05)
//       2024-05-10  Q4MGR         LISTB.CSV  (two managers in 2024-05)
//
// `lines` are sorted by historyOrder.
void appendHistoryText(std::string& text, std::span<const HistoryEntry> lines, const SourceNames& sources);

} // namespace borvelin
