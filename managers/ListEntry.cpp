#include "managers/ListEntry.h"

namespace borvelin {

namespace {

void appendField(std::string& record, const std::string& value)
{
    record += value;
    record += ';';
}

void appendFlag(std::string& record, bool flag)
{
    record += flag ? "YES;" : "NO;";
}

} // namespace

void ListEntry::reset()
{
    for (std::string* field : {&DxCall, &CallPrefix, &MgrCall, &SeeAlsoCall, &ForCall, &ExMgrCall, &HimselfViaCall,
                               &NotViaCall, &Addr1, &Addr2, &Addr3, &Addr4, &AddrRest})
        field->clear();
    PirateFlag = NewMgrFlag = OnlyDirectFlag = BuroFlag = false;
    RouteCode = 0;
}

void ListEntry::appendRecord(std::string& record) const
{
    appendField(record, DxCall);
    appendField(record, CallPrefix);
    appendField(record, MgrCall);
    appendField(record, SeeAlsoCall);
    appendFlag(record, PirateFlag);
    appendFlag(record, NewMgrFlag);
    appendFlag(record, OnlyDirectFlag);
    appendField(record, ForCall);
    appendField(record, ExMgrCall);
    appendFlag(record, BuroFlag);
    appendField(record, HimselfViaCall);
    appendField(record, NotViaCall);
    record += static_cast<char>('0' + RouteCode);
    record += ';';
    appendField(record, Addr1);
    appendField(record, Addr2);
    appendField(record, Addr3);
    appendField(record, Addr4);
    record += AddrRest;
}

} // namespace borvelin
