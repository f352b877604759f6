#include <QApplication>
#include <filesystem>
#include <string>

#include "app/mainform.h"
#include "core/datetime.h"
#include "qt/desktop/commandline.h"
#include "qt/desktop/datadir.h"
#include "qt/desktop/desktopreminder.h"
#include "qt/qtconvert.h"
#include "qt/shell/frontdoor.h"
#include "qt/shell/mainwindow.h"
#include "qt/shell/qtdialogs.h"
#include "qt/shell/qtshell.h"
#include "qt/shell/secondstart.h"
#include "qt/shell/style.h"
#include "store/datafolder.h"
#include "store/folderlock.h"

int main(int argc, char* argv[]) {
    // --export-csv, --remind, --help and --version need no display.
    zm::DataDir dataDir;
    if (const auto status = zm::runCommandLine(argc, argv, dataDir)) return *status;
    QApplication app(argc, argv);
    if (const auto status = zm::refuseUnknownArguments()) return *status;
    zm::setUpApplication();
    // The book's folder in the title, and in every message box's, when the
    // user named it; the desktop then adds no second name.
    QApplication::setApplicationDisplayName(zm::qs(dataDir.title()));

    // The data lives in the current directory, used by one program at a time:
    // the folder is claimed before anything in it is read.
    zm::QtDialogs dialogs;
    std::string why;
    if (const auto failed = dataDir.enter(true)) {
        dialogs.msgBox(*failed, dataDir.title(), zm::Icon::Critical, zm::Buttons::Ok);
        return 1;
    }
    const auto dir = zm::workingFolder(why);
    if (!dir) {
        dialogs.msgBox(why, "ズメリ貯金Ｐｒｏ", zm::Icon::Critical, zm::Buttons::Ok);
        return 1;
    }
    const zm::FolderLock lock(*dir);
    if (zm::refuseSecondStart(lock, dialogs, [&dir] { zm::FrontDoor::knock(*dir); })) return 1;
    zm::DataFolder folder(*dir);
    zm::QtShell shell;
    zm::SystemClock clock;
    zm::MainForm form({folder, dialogs, shell, clock});
    zm::MainWindow window(form, dialogs, shell);
    window.setWindowTitle(zm::qs(dataDir.title()));
    dialogs.setParent(&window);
    const auto bringForward = [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    };
    zm::DesktopReminder reminder(form.every, folder, clock, dataDir, bringForward);
    const zm::FrontDoor door(*dir, bringForward);

    window.run([&form] { form.Form_Load(); });
    if (shell.ended()) return shell.exitCode();
    return QApplication::exec();
}
