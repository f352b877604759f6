#pragma once

#include <string>

#include "ui/dialogs.h"

namespace zm {

// When a table of `count` records has no room for one more under `limit`,
// shows `text` (what is full and what to do) and returns true: the deposit is
// refused before anything is written, so no file grows past what it can read.
inline bool refuseWhenFull(Dialogs& dialogs, int count, int limit, const std::string& text) {
    if (count < limit) return false;
    dialogs.msgBox(text, "記録の上限", Icon::Exclamation, Buttons::Ok);
    return true;
}

}  // namespace zm
