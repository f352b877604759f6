#pragma once

#include <functional>

#include "store/folderlock.h"
#include "ui/dialogs.h"

namespace zm {

// A start on a data folder that another program has, or that cannot be
// locked at all: tells the user why and returns true; the program then ends
// without reading or writing anything. On a busy folder `bringForward` first
// asks the program that has it to show its window.
bool refuseSecondStart(const FolderLock& lock, Dialogs& dialogs,
                       const std::function<void()>& bringForward = {});

}  // namespace zm
