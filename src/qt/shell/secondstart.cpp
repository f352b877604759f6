#include "qt/shell/secondstart.h"

#include <string>

#include "store/fileerror.h"

namespace zm {

bool refuseSecondStart(const FolderLock& lock, Dialogs& dialogs) {
    switch (lock.state()) {
        case FolderLock::State::Held:
            return false;
        case FolderLock::State::Busy:
            dialogs.msgBox(kFolderBusyText, kFolderBusyTitle, Icon::Exclamation, Buttons::Ok);
            return true;
        case FolderLock::State::Unavailable:
            break;
    }
    dialogs.msgBox(
        std::string(kFolderUnlockableText) + "\r\n（" + systemReason(lock.error()) + "）",
        kFolderUnlockableTitle, Icon::Critical, Buttons::Ok);
    return true;
}

}  // namespace zm
