#pragma once

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/shell.h"

namespace zm::test {

// Dialogs that answer from a script and remember what they showed. A dialog
// the script did not expect fails the test.
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        std::string text;
        std::string title;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        bool input = false;

        bool operator==(const Shown&) const = default;
        friend void PrintTo(const Shown& s, std::ostream* out) {
            *out << (s.input ? "input box " : "message box ") << '"' << s.title << "\": \""
                 << s.text << "\", icon " << static_cast<int>(s.icon) << ", buttons "
                 << static_cast<int>(s.buttons);
        }
    };

    ~ScriptedDialogs() override;

    // Queue the answer to the next message box / input box.
    ScriptedDialogs& answer(Answer a);
    ScriptedDialogs& type(std::string text);

    Answer msgBox(const std::string& text, const std::string& title, Icon icon,
                  Buttons buttons) override;
    std::string inputBox(const std::string& prompt, const std::string& title) override;

    std::vector<Shown> shown;
    bool pending() const { return !script_.empty(); }

private:
    struct Step {
        bool input;
        Answer answer;
        std::string text;
    };
    std::deque<Step> script_;
};

using Shown = ScriptedDialogs::Shown;

// A shell that records what the logic asked of the platform.
class FakeShell final : public Shell {
public:
    void doEvents() override { ++eventsRun; }
    void setFocus(const Control& control) override { focused = control.name(); }
    void showMainWindow() override {
        mainShown = true;
        if (onShowMainWindow) onShowMainWindow();
    }
    void openGuide(Guide guide, bool modal) override { guides.emplace_back(guide, modal); }
    void openHelp(const std::string& helpFile) override { helpOpened.push_back(helpFile); }
    void closeHelp() override { ++helpClosed; }
    void endProgram() override { ended = true; }

    int eventsRun = 0;
    std::string focused;
    bool mainShown = false;
    // Runs when the window is shown, as an event that start-up lets through.
    std::function<void()> onShowMainWindow;
    std::vector<std::pair<Guide, bool>> guides;
    std::vector<std::string> helpOpened;
    int helpClosed = 0;
    bool ended = false;
};

}  // namespace zm::test
