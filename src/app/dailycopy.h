#pragma once

#include "ui/services.h"

namespace zm {

// Start-up care of the data folder before the pages read it: the temporary
// files a crash left behind go, and the day's first start copies the data
// files under バックアップ. A copy that cannot be made warns once, with the
// exclamation icon, and the program goes on.
void tendDataFolder(const Services& s);

inline constexpr const char* kCopyFailedTitle = "バックアップ";

}  // namespace zm
