#pragma once

#include <string>

#include "core/datetime.h"
#include "core/money.h"

namespace zm {

// A theme deposit: the date, the item it was saved against, the amount.
struct ThemeRecord {
    Date date{};
    std::string item;
    Money amount;
    bool operator==(const ThemeRecord&) const = default;
};

}  // namespace zm
