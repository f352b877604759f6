#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <filesystem>

#include "app/mainform.h"
#include "core/datetime.h"
#include "qt/mainwindow.h"
#include "qt/qtdialogs.h"
#include "qt/qtshell.h"
#include "qt/secondstart.h"
#include "qt/style.h"
#include "store/datafolder.h"
#include "store/folderlock.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("zumeri");
    QApplication::setApplicationDisplayName("ズメリ貯金Ｐｒｏ");
    // Lets the desktop match the window to the installed menu entry and its icon.
    QApplication::setDesktopFileName("zumeri");

    // Japanese standard buttons ("キャンセル", "はい").
    QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtJapanese);
    }
    initPictures();
    QApplication::setWindowIcon(QIcon(":/images/app.png"));
    QFont font("Noto Sans CJK JP");
    font.setPointSize(10);
    QApplication::setFont(font);

    // The data lives in the current directory, used by one program at a time:
    // the folder is claimed before anything in it is read.
    const std::filesystem::path dir = std::filesystem::current_path();
    const zm::FolderLock lock(dir);
    zm::QtDialogs dialogs;
    if (zm::refuseSecondStart(lock, dialogs)) return 1;
    zm::DataFolder folder(dir);
    zm::QtShell shell;
    zm::SystemClock clock;
    zm::MainForm form({folder, dialogs, shell, clock});
    zm::MainWindow window(form, dialogs, shell);
    dialogs.setParent(&window);

    window.run([&form] { form.Form_Load(); });
    if (shell.ended()) return shell.exitCode();
    return QApplication::exec();
}
