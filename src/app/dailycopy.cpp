#include "app/dailycopy.h"

#include "store/backup.h"
#include "store/datafolder.h"
#include "store/fileerror.h"
#include "ui/dialogs.h"

namespace zm {

void tendDataFolder(const Services& s) {
    s.folder.removeTemporaryFiles();
    try {
        makeDailyCopy(s.folder, s.clock.today());
    } catch (const FileError& e) {
        // The data itself is untouched: the program goes on without the copy.
        s.dialogs.msgBox(std::string("本日分のデータのコピーを作れませんでした。\r\n") + e.what() +
                             "\r\n\r\n記録はこれまでどおり続けられます。",
                         kCopyFailedTitle, Icon::Exclamation, Buttons::Ok);
    }
}

}  // namespace zm
