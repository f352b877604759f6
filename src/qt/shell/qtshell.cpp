#include "qt/shell/qtshell.h"

#include <QApplication>
#include <QThread>
#include <QWidget>

#include "qt/binding/bind.h"
#include "ui/controls.h"

namespace zm {

void QtShell::doEvents() {
    QApplication::processEvents();
}

void QtShell::setFocus(const Control& control) {
    if (!window_) return;
    if (auto* w = window_->findChild<QWidget*>(qs(control.name()))) w->setFocus();
}

void QtShell::showMainWindow() {
    if (window_) window_->show();
}

void QtShell::openGuide(Guide guide, bool modal) {
    if (guideOpener) guideOpener(guide, modal);
}

void QtShell::openHelp(const std::string& helpFile) {
    if (helpOpener) helpOpener(helpFile);
}

void QtShell::closeHelp() {
    if (helpCloser) helpCloser();
}

void QtShell::endProgram() {
    closeHelp();
    end(0);
}

void QtShell::fail() {
    end(1);
}

void QtShell::end(int code) {
    if (ended_) return;
    ended_ = true;
    exitCode_ = code;
    if (window_) window_->hide();
    // Outside any event loop (a failure during start-up) main() sees ended();
    // telling Qt to quit then would make every later event loop, a modal
    // dialog's too, return at once.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(code);
}

}  // namespace zm
