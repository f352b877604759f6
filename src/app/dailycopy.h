#pragma once

#include "ui/services.h"

namespace zm {

// Start-up care of the data folder before the pages read it: the temporary
// files and copy folders a crash left behind go.
void tendDataFolder(const Services& s);

// The day's first start copies the data files under バックアップ, once every
// data file has been read cleanly: a copy of data the program refuses would
// push a good copy out. A copy that cannot be made warns once, with the
// exclamation icon, and the program goes on.
void makeDayCopy(const Services& s);

inline constexpr const char* kCopyFailedTitle = "バックアップ";

}  // namespace zm
