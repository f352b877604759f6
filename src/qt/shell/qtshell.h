#pragma once

#include <functional>

#include "ui/shell.h"

class QWidget;

namespace zm {

// The platform for the logic: focus by control name, the guide windows and the
// help viewer (supplied by their windows), and the end of the program.
class QtShell final : public Shell {
public:
    void setMainWindow(QWidget* window) { window_ = window; }
    std::function<void(Guide, bool)> guideOpener;
    std::function<void(const std::string&)> helpOpener;
    std::function<void()> helpCloser;

    void doEvents() override;
    void setFocus(const Control& control) override;
    void showMainWindow() override;
    void openGuide(Guide guide, bool modal) override;
    void openHelp(const std::string& helpFile) override;
    void closeHelp() override;
    void endProgram() override;
    // Ends after a failure has been reported.
    void fail();

    bool ended() const { return ended_; }
    int exitCode() const { return exitCode_; }

private:
    void end(int code);

    QWidget* window_ = nullptr;
    bool ended_ = false;
    int exitCode_ = 0;
};

}  // namespace zm
