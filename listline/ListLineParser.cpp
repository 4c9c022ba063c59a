// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/ListLineParser.h"

#include "listline/BureauLine.h"
#include "listline/LineFailureLog.h"
#include "listline/LineLayout.h"
#include "text/Trimmed.h"

#include <algorithm>

namespace borvelin {

using namespace layout;

namespace {

// Columns where a cut begins, behind each keyword and its blank.
constexpr std::size_t NotMoreCallColumn = callColumnAfter(Keyword::NotMore);
constexpr std::size_t NotLongerCallColumn = callColumnAfter(Keyword::NotLonger);
// A home call is cut from a first word of at least this many bytes.
constexpr std::size_t HomeCallWordLength = 3;
// A portable prefix stands before a "/" within the first six bytes of a call.
constexpr std::size_t PortablePrefixSlashLimit = 6;
// A direct address has its first comma at this column or later.
constexpr std::size_t DirectAddressCommaColumn = 17;
// A "(for " without its ")" gets one after this many bytes.
constexpr std::size_t ForCallRepairLength = 10;

} // namespace

std::string ListLineParser::bureauFailure(std::string_view dxCall)
{
    std::string message = "Failure: ";
    message += dxCall;
    message += " is not a call or the buro is not followed by an address.";
    return message;
}

std::string_view ListLineParser::parse(std::string_view textLine, ListEntry& entry)
{
    entry.reset();
    entry_ = &entry;
    useLine(textLine);

    if (isBureauLine(line_, firstWord_))
        cutBureauAddress();
    cutHomeCall();
    cutNotVia();
    cutNotMore();
    cutNotLonger();
    cutManager();
    markPirate();
    cutDirectAddress();
    markRemarks();
    cutFormerManager();
    cutSeeAlso();
    cutForCall();
    cutHimselfVia();
    splitPortablePrefix();
    return line_;
}

void ListLineParser::useLine(std::string_view line)
{
    line_ = line;
    keywords_.scan(line, RouteColumn);
    firstWord_ = firstWord(line);
}

std::string_view ListLineParser::fromColumn(std::size_t column) const
{
    return column > line_.size() ? std::string_view() : line_.substr(column - 1);
}

std::string_view ListLineParser::upTo(std::size_t column, char stop) const
{
    const std::string_view rest = fromColumn(column);
    return rest.substr(0, rest.find(stop));
}

std::string_view ListLineParser::upToAny(std::size_t column, std::string_view stops) const
{
    const std::string_view rest = fromColumn(column);
    return rest.substr(0, rest.find_first_of(stops));
}

std::size_t ListLineParser::findByte(char byte, std::size_t column) const
{
    if (column > line_.size())
        return 0;
    const auto position = line_.find(byte, column - 1);
    return position == std::string_view::npos ? 0 : position + 1;
}

bool ListLineParser::routeKeywordOccurs() const
{
    return std::any_of(RouteKeywords.begin(), RouteKeywords.end(),
                       [this](Keyword keyword) { return keywords_.occurs(keyword); });
}

// The address runs from the route column to the end of the line, in parts split at
// commas; each part is kept without its leading and trailing blanks. Returns false
// when a part that needs a comma finds none; the parts cut so far keep their values
// and AddrRest holds what was not cut.
bool ListLineParser::splitAddress(AddressForm form)
{
    ListEntry& entry = *entry_;
    std::string_view rest = fromColumn(RouteColumn);
    const std::size_t requiredParts = form == AddressForm::Bureau ? 2 : 1;
    std::string_view* parts[] = {&entry.Addr1, &entry.Addr2, &entry.Addr3, &entry.Addr4};
    for (std::size_t index = 0; index < 4; ++index) {
        const auto comma = rest.find(',');
        if (comma == std::string_view::npos) {
            if (index < requiredParts) {
                entry.AddrRest = trimmed(rest, Blanks::Spaces);
                return false;
            }
            *parts[index] = trimmed(rest, Blanks::Spaces);
            rest = {};
            continue;
        }
        *parts[index] = trimmed(rest.substr(0, comma), Blanks::Spaces);
        rest.remove_prefix(comma + 1);
    }
    entry.AddrRest = trimmed(rest, Blanks::Spaces);
    return true;
}

void ListLineParser::cutBureauAddress()
{
    entry_->BuroFlag = true;
    entry_->DxCall = firstWord_;
    if (!splitAddress(AddressForm::Bureau))
        failures_.logFailure(line_, bureauFailure(entry_->DxCall));
}

void ListLineParser::cutHomeCall()
{
    if (firstWord_.size() < HomeCallWordLength || !keywords_.occurs(Keyword::HomeCall))
        return;
    entry_->DxCall = firstWord_;
    if (splitPortablePrefix())
        entry_->MgrCall = entry_->DxCall;
}

void ListLineParser::cutNotVia()
{
    if (!routeIs(Keyword::NotVia))
        return;
    ListEntry& entry = *entry_;
    if (findByte(',', ManagerColumn) != 0) {
        splitAddress(AddressForm::NotVia); // the comma it needs is there
    } else if (findByte('!', ManagerColumn) != 0) {
        const std::string_view call = upTo(ManagerColumn, '!');
        entry.NotViaCall = withoutTrailingSpaces(call);
    } else if (line_.size() >= ManagerColumn) {
        entry.NotViaCall = upTo(ManagerColumn, ' ');
    } else {
        return;
    }
    entry.DxCall = firstWord_;
    entry.RouteCode = NotRoute::NotVia;
}

void ListLineParser::cutNotMore()
{
    cutNotRoute(Keyword::NotMore, NotMoreCallColumn, NotRoute::NotMore);
}

void ListLineParser::cutNotLonger()
{
    cutNotRoute(Keyword::NotLonger, NotLongerCallColumn, NotRoute::NotLonger);
}

// A NOT route with the call behind its keyword, when a space stands at column 22 or later.
void ListLineParser::cutNotRoute(Keyword keyword, std::size_t callColumn, NotRoute routeCode)
{
    if (!routeIs(keyword) || findByte(' ', ManagerColumn) == 0)
        return;
    entry_->DxCall = firstWord_;
    entry_->NotViaCall = upTo(callColumn, ' ');
    entry_->RouteCode = routeCode;
}

void ListLineParser::cutManager()
{
    if (!routeIs(Keyword::QslVia) || keywords_.occurs(Keyword::HomeCall))
        return;
    entry_->DxCall = firstWord_;
    entry_->MgrCall = upTo(ManagerColumn, ' '); // a ")" does not end the call
}

void ListLineParser::markPirate()
{
    if (!routeIs(Keyword::Pirate))
        return;
    entry_->DxCall = firstWord_;
    entry_->PirateFlag = true;
}

void ListLineParser::cutDirectAddress()
{
    if (routeKeywordOccurs() || findByte(',', RouteColumn) < DirectAddressCommaColumn) // the cheaper test first
        return;
    entry_->DxCall = firstWord_;
    splitAddress(AddressForm::Direct); // the comma it needs is there
}

void ListLineParser::markRemarks()
{
    if (keywords_.column(Keyword::NewManager) > RouteColumn)
        entry_->NewMgrFlag = true;
    if (keywords_.column(Keyword::OnlyDirect) > RouteColumn)
        entry_->OnlyDirectFlag = true;
}

void ListLineParser::cutFormerManager()
{
    const std::size_t found = keywords_.column(Keyword::ExManager);
    if (found == 0 || entry_->BuroFlag || keywords_.occurs(Keyword::ExBuro))
        return;
    const std::size_t callColumn = found + textOf(Keyword::ExManager).size();
    if (findByte(')', callColumn) == 0) {
        failures_.logFailure(line_, ExManagerFailure);
        return;
    }
    entry_->ExMgrCall = upTo(callColumn, ')');
}

void ListLineParser::cutSeeAlso()
{
    cutRemarkCall(Keyword::SeeAlso, entry_->SeeAlsoCall);
}

void ListLineParser::cutForCall()
{
    const std::size_t found = keywords_.column(Keyword::ForCall);
    if (found == 0)
        return;
    const std::size_t callColumn = found + textOf(Keyword::ForCall).size();
    if (findByte(')', callColumn) == 0) {
        failures_.logFailure(line_, BracketFailure);
        const std::size_t insertAt = std::min(callColumn - 1 + ForCallRepairLength, line_.size());
        std::string repaired(line_);
        repaired.insert(insertAt, 1, ')');
        repairedLine_.swap(repaired);
        useLine(repairedLine_);
    }
    entry_->ForCall = upTo(callColumn, ')');
}

void ListLineParser::cutHimselfVia()
{
    cutRemarkCall(Keyword::HimselfVia, entry_->HimselfViaCall);
}

// The call one blank behind the remark's keyword, up to a space, a ")" or the line's end.
void ListLineParser::cutRemarkCall(Keyword keyword, std::string_view& field)
{
    const std::size_t found = keywords_.column(keyword);
    if (found != 0)
        field = upToAny(found + textOf(keyword).size() + 1, " )");
}

bool ListLineParser::splitPortablePrefix()
{
    ListEntry& entry = *entry_;
    // Only a "/" near the start counts: the search ends there.
    const std::string_view start = entry.DxCall.substr(0, PortablePrefixSlashLimit);
    const auto slash = static_cast<std::size_t>(std::find(start.begin(), start.end(), '/') - start.begin());
    if (slash == start.size())
        return false;
    entry.CallPrefix = entry.DxCall.substr(0, slash);
    entry.DxCall.remove_prefix(slash + 1);
    return true;
}

} // namespace borvelin
