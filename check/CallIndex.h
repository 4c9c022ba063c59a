// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CallRecord.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace borvelin {

// One CallRecord per distinct call, found by the call's hash in capitals: memory grows
// with the calls of the list, never with its lines.
class CallIndex {
public:
    CallIndex();

    static std::uint64_t keyOf(std::string_view call);
    // The record of `key`, made when the call is new. Valid until the next recordOf.
    CallRecord& recordOf(std::uint64_t key);
    CallRecord* find(std::uint64_t key);

    std::size_t size() const { return used_; }

private:
    void grow();
    std::size_t slotOf(std::uint64_t key) const;

    std::vector<CallRecord> slots_;
    std::size_t used_ = 0;
};

} // namespace borvelin
