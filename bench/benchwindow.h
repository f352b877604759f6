#pragma once

#include <QApplication>
#include <chrono>
#include <filesystem>

#include "app/mainform.h"
#include "benchmain.h"
#include "core/datetime.h"
#include "qt/shell/mainwindow.h"
#include "qt/shell/qtshell.h"
#include "store/datafolder.h"

namespace zm::bench {

// The real window over a data folder on a set day, started.
struct BenchWindow {
    DataFolder folder;
    AlwaysOk dialogs;
    QtShell shell;
    FixedClock clock;
    MainForm form{{folder, dialogs, shell, clock}};
    MainWindow window{form, dialogs, shell};

    BenchWindow(const std::filesystem::path& dir, Date today)
        : folder(dir), clock(today, std::chrono::seconds(12 * 3600)) {
        window.run([this] { form.Form_Load(); });
        QApplication::processEvents();
    }
};

}  // namespace zm::bench
