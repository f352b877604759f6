#pragma once

#include "store/folderlock.h"
#include "ui/dialogs.h"

namespace zm {

// A start on a data folder that another program has: tells the user and
// returns true; the program then ends without reading or writing anything.
bool refuseSecondStart(const FolderLock& lock, Dialogs& dialogs);

}  // namespace zm
