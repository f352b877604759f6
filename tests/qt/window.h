#pragma once

#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/mainform.h"
#include "qt/shell/mainwindow.h"
#include "qt/shell/qtshell.h"
#include "support/world.h"

namespace zm::test {

// The text a grid shows in a cell (rows of the view, 0-based).
inline std::string cellText(QTableView* table, int row, int column) {
    return table->model()->index(row, column).data().toString().toStdString();
}

// What a mouse sends for a double-click: a click, then a double-click event
// and its release.
inline void doubleClick(QWidget* widget, QPoint pos = {}) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

// Japanese arrives from the input method as committed text.
inline void typeJapanese(QWidget* widget, const char* text) {
    QInputMethodEvent event;
    event.setCommitString(QString::fromUtf8(text));
    QApplication::sendEvent(widget, &event);
}

inline QPoint rowCentre(QTableView* table, int row) {
    return table->visualRect(table->model()->index(row, 0)).center();
}

// The nine pages in the order of their buttons: each button and the page it shows.
struct PageOfButton {
    const char* button;
    const char* frame;
};
inline constexpr PageOfButton kPages[] = {
    {"cmdCyokin1", "fraCyokin1"}, {"cmdCyokin2", "fraCyokin2"}, {"cmdCyokin3", "fraCyokin3"},
    {"cmdCyokin4", "fraCyokin4"}, {"cmdCyokin5", "fraCyokin5"}, {"cmdMaster", "fraMokuhyo"},
    {"cmdData_Sort", "fraDataSort"}, {"cmdDay", "fraDay"},      {"cmdMonth", "fraMonth"}};

// The real main window over a World's data folder, with scripted dialogs.
struct Window {
    World w;
    QtShell shell;
    std::unique_ptr<MainForm> form;
    std::unique_ptr<MainWindow> window;

    // The guide windows the program asked for, in order. A modal one is shown
    // to onModalGuide (when set) and then closed with its cmdModori, as a user
    // would, so that the test goes on.
    struct OpenedGuide {
        Guide guide;
        bool modal;
        bool mainShown;  // the main window was on screen already
    };
    std::vector<OpenedGuide> guides;
    std::function<void(QWidget* guide)> onModalGuide;
    // Qt's checks of the model contract on every table of the window, from
    // the start on: a wrong row removed or a count that disagrees with the
    // data ends the test run.
    std::vector<std::unique_ptr<QAbstractItemModelTester>> modelTesters;
    // Set before start() for the real message and input boxes instead of
    // the World's scripted ones.
    Dialogs* realBoxes = nullptr;

    // Call after the World's files are in place.
    void start() {
        Dialogs& boxes = realBoxes ? *realBoxes : w.dialogs;
        form = std::make_unique<MainForm>(Services{w.folder, boxes, shell, w.clock});
        window = std::make_unique<MainWindow>(*form, boxes, shell);
        for (auto* view : window->findChildren<QAbstractItemView*>()) {
            modelTesters.push_back(std::make_unique<QAbstractItemModelTester>(
                view->model(), QAbstractItemModelTester::FailureReportingMode::Fatal));
        }
        shell.guideOpener = [this, open = shell.guideOpener](Guide guide, bool modal) {
            guides.push_back({guide, modal, window->isVisible()});
            if (modal) QTimer::singleShot(0, window.get(), [this] { closeModalGuide(); });
            open(guide, modal);
        };
        window->run([this] { form->Form_Load(); });
    }
    void closeModalGuide() {
        QWidget* guide = QApplication::activeModalWidget();
        if (!guide) {
            ADD_FAILURE() << "no modal guide window is open";
            return;
        }
        if (onModalGuide) onModalGuide(guide);
        if (auto* back = guide->findChild<QPushButton*>("cmdModori")) {
            back->click();
        } else {
            guide->close();
        }
    }
    // The widget of that name and type; a missing one fails the test by name
    // instead of crashing it on a null pointer.
    template <class T = QWidget>
    T* find(const char* name) {
        T* widget = window->findChild<T*>(QString::fromUtf8(name));
        if (!widget) throw std::runtime_error(std::string("no widget named ") + name);
        return widget;
    }
    std::string text(const char* label) { return find<QLabel>(label)->text().toStdString(); }
    void click(const char* button) { find<QPushButton>(button)->click(); }
};

}  // namespace zm::test
