#pragma once

#include <QMainWindow>
#include <functional>
#include <vector>

#include "app/mainform.h"
#include "qt/binding/bind.h"
#include "qt/export/dataexport.h"
#include "qt/pages/pagecontext.h"
#include "qt/shell/qtshell.h"
#include "ui/dialogs.h"

class QGridLayout;

namespace zm {

// The view of MainForm: the page buttons, the window-level controls and one
// widget per page, all stacked in one place with only the visible one shown.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(MainForm& form, Dialogs& dialogs, QtShell& shell);
    ~MainWindow() override;

    // Runs a logic handler; a file failure is reported and ends the program.
    void run(const std::function<void()>& handler);
    const Runner& runner() const { return runner_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addPage(QWidget* page);
    // Fills the next page not filled yet, one per turn of the event loop.
    void fillNextPage();
    void fitScreen(QSize usual);

    MainForm& form_;
    Dialogs& dialogs_;
    QtShell& shell_;
    Runner runner_;
    DataExport out_;
    PageContext context_;
    QGridLayout* pages_ = nullptr;
    // The buttons and pages, inside the window's scroll area.
    QWidget* body_ = nullptr;
    std::vector<QWidget*> unfilled_;
    // Handlers running now: a change in the folder waits for them to end.
    int running_ = 0;
};

}  // namespace zm
