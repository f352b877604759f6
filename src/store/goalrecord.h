#pragma once

#include <string>

#include "core/money.h"

namespace zm {

// A savings purpose with its target amount.
struct GoalRecord {
    std::string purpose;
    Money target;
    bool operator==(const GoalRecord&) const = default;
};

}  // namespace zm
