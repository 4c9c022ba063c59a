// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/ListEntry.h"

#include <array>
#include <cstring>

namespace borvelin {

namespace {

constexpr std::string_view Yes = "YES";
constexpr std::string_view No = "NO";
// 17 separators between the 18 values, and the route code's one digit.
constexpr std::size_t SeparatorsAndRouteCode = 17 + 1;

std::string_view flagText(bool flag)
{
    return flag ? Yes : No;
}

char* put(char* out, std::string_view value)
{
    if (value.empty()) // most fields are
        return out;
    std::memcpy(out, value.data(), value.size());
    return out + value.size();
}

char* putField(char* out, std::string_view value)
{
    out = put(out, value);
    *out = ';';
    return out + 1;
}

// Either text is of a known length, and so is its copy.
char* putFlag(char* out, bool flag)
{
    return flag ? putField(out, Yes) : putField(out, No);
}

// The entry's 13 text fields.
auto textFieldsOf(const ListEntry& entry)
{
    return std::array{&entry.DxCall,    &entry.CallPrefix,     &entry.MgrCall,    &entry.SeeAlsoCall, &entry.ForCall,
                      &entry.ExMgrCall, &entry.HimselfViaCall, &entry.NotViaCall, &entry.Addr1,       &entry.Addr2,
                      &entry.Addr3,     &entry.Addr4,          &entry.AddrRest};
}

} // namespace

std::size_t ListEntry::recordLength() const
{
    std::size_t length = SeparatorsAndRouteCode;
    for (const std::string_view* field : textFieldsOf(*this))
        length += field->size();
    for (bool flag : {PirateFlag, NewMgrFlag, OnlyDirectFlag, BuroFlag})
        length += flagText(flag).size();
    return length;
}

void ListEntry::appendRecord(std::string& record) const
{
    const std::size_t start = record.size();
    record.resize(start + recordLength());
    writeRecord(record.data() + start);
}

// The record is measured first and then written in place, straight into the output's
// buffer: one record is written for every line of the list.
void ListEntry::writeRecord(char* out) const
{
    out = putField(out, DxCall);
    out = putField(out, CallPrefix);
    out = putField(out, MgrCall);
    out = putField(out, SeeAlsoCall);
    out = putFlag(out, PirateFlag);
    out = putFlag(out, NewMgrFlag);
    out = putFlag(out, OnlyDirectFlag);
    out = putField(out, ForCall);
    out = putField(out, ExMgrCall);
    out = putFlag(out, BuroFlag);
    out = putField(out, HimselfViaCall);
    out = putField(out, NotViaCall);
    *out++ = static_cast<char>('0' + static_cast<int>(RouteCode));
    *out++ = ';';
    out = putField(out, Addr1);
    out = putField(out, Addr2);
    out = putField(out, Addr3);
    out = putField(out, Addr4);
    put(out, AddrRest);
}

} // namespace borvelin
