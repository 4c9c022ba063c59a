// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as one manager-list line. The parse must end without a fault, and what
// holds for every line must hold: each cut value is a piece of the line (or of the
// line repaired after a "(for " without its ")"), the repair adds one ")" and nothing
// else, the bureau flag is the bureau test's verdict, a parser that has parsed other
// lines cuts the same record as a fresh one, and only the grammar's failures are logged.
#include "listline/BureauLine.h"
#include "listline/LineFailureLog.h"
#include "listline/ListEntry.h"
#include "listline/ListLineParser.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

class CheckedLog : public borvelin::LineFailureLog {
public:
    void logFailure(std::string_view, std::string_view message) override
    {
        ++entries;
        const bool known = message == borvelin::ListLineParser::BracketFailure ||
                           message == borvelin::ListLineParser::ExManagerFailure ||
                           (message.starts_with("Failure: ") &&
                            message.ends_with(" is not a call or the buro is not followed by an address."));
        if (!known)
            std::abort();
    }
    int entries = 0;
};

void require(bool condition)
{
    if (!condition)
        std::abort();
}

std::string recordOf(const borvelin::ListEntry& entry)
{
    std::string record;
    entry.appendRecord(record);
    return record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string original(reinterpret_cast<const char*>(data), size);
    static CheckedLog reusedLog;
    static borvelin::ListLineParser reused(reusedLog); // as List of 25+ keeps one for every line
    CheckedLog log;
    borvelin::ListLineParser fresh(log);

    borvelin::ListEntry entry;
    const std::string_view line = fresh.parse(original, entry); // the entry's values are views
    const std::string record = recordOf(entry);
    borvelin::ListEntry entryAgain;
    const std::string_view lineAgain = reused.parse(original, entryAgain);
    require(recordOf(entryAgain) == record && lineAgain == line);

    if (line != original) { // repaired: one ")" more, and logged
        std::size_t at = 0;
        while (at < original.size() && line[at] == original[at])
            ++at;
        require(line.size() == original.size() + 1 && line[at] == ')' &&
                line.substr(at + 1) == std::string_view(original).substr(at));
        require(log.entries > 0);
    }
    require(log.entries <= 3);
    require(entry.BuroFlag == borvelin::isBureauLine(original));
    for (const std::string_view* value : {&entry.DxCall, &entry.CallPrefix, &entry.MgrCall, &entry.SeeAlsoCall,
                                          &entry.ForCall, &entry.ExMgrCall, &entry.HimselfViaCall, &entry.NotViaCall,
                                          &entry.Addr1, &entry.Addr2, &entry.Addr3, &entry.Addr4, &entry.AddrRest})
        require(original.find(*value) != std::string::npos || line.find(*value) != std::string_view::npos);
    require(static_cast<int>(entry.RouteCode) <= 3);
    return 0;
}
