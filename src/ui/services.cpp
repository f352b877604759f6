#include "ui/services.h"

#include <utility>

#include "ui/changes.h"

namespace zm {

void Services::made(std::string what, std::function<void(bool undone)> show) const {
    if (changes) changes->made(std::move(what), std::move(show));
}

}  // namespace zm
