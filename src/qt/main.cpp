#include <QApplication>
#include <filesystem>

#include "app/mainform.h"
#include "core/datetime.h"
#include "qt/mainwindow.h"
#include "qt/qtdialogs.h"
#include "qt/qtshell.h"
#include "qt/style.h"
#include "store/datafolder.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    zm::setUpApplication();

    // The data lives in the current directory.
    zm::DataFolder folder(std::filesystem::current_path());
    zm::QtDialogs dialogs;
    zm::QtShell shell;
    zm::SystemClock clock;
    zm::MainForm form({folder, dialogs, shell, clock});
    zm::MainWindow window(form, dialogs, shell);
    dialogs.setParent(&window);

    window.run([&form] { form.Form_Load(); });
    if (shell.ended()) return shell.exitCode();
    return QApplication::exec();
}
