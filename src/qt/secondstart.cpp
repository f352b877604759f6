#include "qt/secondstart.h"

namespace zm {

bool refuseSecondStart(const FolderLock& lock, Dialogs& dialogs) {
    if (!lock.busy()) return false;
    dialogs.msgBox(kFolderBusyText, kFolderBusyTitle, Icon::Exclamation, Buttons::Ok);
    return true;
}

}  // namespace zm
