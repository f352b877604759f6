#pragma once

#include <vector>

#include "core/money.h"

namespace zm {

// A file of records read whole: its records in file order and the sum of
// their amounts.
template <class Rec>
struct Loaded {
    std::vector<Rec> records;
    Money total;
};

}  // namespace zm
