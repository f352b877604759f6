#pragma once

#include <string>

#include "core/money.h"

namespace zm {

// An item of a theme's list with the amount it suggests.
struct ItemRecord {
    std::string item;
    Money amount;
    bool operator==(const ItemRecord&) const = default;
};

}  // namespace zm
