#include <QApplication>
#include <filesystem>
#include <string>

#include "app/mainform.h"
#include "core/datetime.h"
#include "qt/desktop/commandline.h"
#include "qt/desktop/desktopreminder.h"
#include "qt/shell/mainwindow.h"
#include "qt/shell/qtdialogs.h"
#include "qt/shell/qtshell.h"
#include "qt/shell/secondstart.h"
#include "qt/shell/style.h"
#include "store/datafolder.h"
#include "store/folderlock.h"

int main(int argc, char* argv[]) {
    // --export-csv, --remind, --help and --version need no display.
    if (const auto status = zm::runCommandLine(argc, argv)) return *status;
    QApplication app(argc, argv);
    if (const auto status = zm::refuseUnknownArguments()) return *status;
    zm::setUpApplication();

    // The data lives in the current directory, used by one program at a time:
    // the folder is claimed before anything in it is read.
    zm::QtDialogs dialogs;
    std::string why;
    const auto dir = zm::workingFolder(why);
    if (!dir) {
        dialogs.msgBox(why, "ズメリ貯金Ｐｒｏ", zm::Icon::Critical, zm::Buttons::Ok);
        return 1;
    }
    const zm::FolderLock lock(*dir);
    if (zm::refuseSecondStart(lock, dialogs)) return 1;
    zm::DataFolder folder(*dir);
    zm::QtShell shell;
    zm::SystemClock clock;
    zm::MainForm form({folder, dialogs, shell, clock});
    zm::MainWindow window(form, dialogs, shell);
    dialogs.setParent(&window);
    zm::DesktopReminder reminder(form.every, folder, clock, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });

    window.run([&form] { form.Form_Load(); });
    if (shell.ended()) return shell.exitCode();
    return QApplication::exec();
}
