#pragma once

#include "core/datetime.h"
#include "core/money.h"

namespace zm {

// A deposit's date and amount alone: what the history tables need of a ledger.
struct DatedAmount {
    Date date;
    Money amount;
};

}  // namespace zm
