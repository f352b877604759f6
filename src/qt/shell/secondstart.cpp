#include "qt/shell/secondstart.h"

#include <string>

#include "store/fileerror.h"

namespace zm {

bool refuseSecondStart(const FolderLock& lock, Dialogs& dialogs,
                       const std::function<void()>& bringForward) {
    switch (lock.state()) {
        case FolderLock::State::Held:
            return false;
        case FolderLock::State::Busy:
            // The window in use comes forward at once; the message below says why
            // this start ends.
            if (bringForward) bringForward();
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
