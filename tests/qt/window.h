#pragma once

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <memory>

#include "app/mainform.h"
#include "qt/mainwindow.h"
#include "qt/qtshell.h"
#include "support/world.h"

namespace zm::test {

// The real main window over a World's data folder, with scripted dialogs.
struct Window {
    World w;
    QtShell shell;
    std::unique_ptr<MainForm> form;
    std::unique_ptr<MainWindow> window;

    // Call after the World's files are in place.
    void start() {
        form = std::make_unique<MainForm>(Services{w.folder, w.dialogs, shell, w.clock});
        window = std::make_unique<MainWindow>(*form, w.dialogs, shell);
        window->run([this] { form->Form_Load(); });
    }
    template <class T = QWidget>
    T* find(const char* name) {
        return window->findChild<T*>(QString::fromUtf8(name));
    }
    std::string text(const char* label) { return find<QLabel>(label)->text().toStdString(); }
    void click(const char* button) { find<QPushButton>(button)->click(); }
};

}  // namespace zm::test
