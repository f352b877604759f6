#pragma once

#include "core/datetime.h"
#include "core/money.h"

namespace zm {

// A deposit with its date and time: the 365-step ledger, its history of
// given-up runs, the small-change ledger. The date and time are kept as
// values and read back to the same text: the files allow one spelling of each.
struct TimedRecord {
    Date date{};
    TimeOfDay time{};
    Money amount;
    bool operator==(const TimedRecord&) const = default;
};

}  // namespace zm
