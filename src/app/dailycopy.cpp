#include "app/dailycopy.h"

#include "store/backup.h"
#include "store/datafolder.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/goalsfile.h"
#include "ui/dialogs.h"

namespace zm {

void tendDataFolder(const Services& s) {
    s.folder.removeTemporaryFiles();
    removeUnfinishedCopies(s.folder);
}

void makeDayCopy(const Services& s) {
    try {
        // The pages have read every other file; the goals are read only when
        // their page opens, so they are read here, once a day, before the copy.
        makeDailyCopy(s.folder, s.clock.today(), kDailyCopies, [&s] {
            if (s.folder.exists(files::kGoals)) GoalsFile(s.folder).read();
        });
    } catch (const FileError& e) {
        // The data itself is untouched: the program goes on without the copy.
        s.dialogs.msgBox(std::string("本日分のデータのコピーを作れませんでした。\r\n") + e.what() +
                             "\r\n\r\n記録はこれまでどおり続けられます。",
                         kCopyFailedTitle, Icon::Exclamation, Buttons::Ok);
    }
}

}  // namespace zm
