#pragma once

#include <string>

namespace zm {

class Control;

enum class Guide { Sub1, Sub2, Sub3 };

// The rest of the platform that the logic needs.
class Shell {
public:
    virtual ~Shell() = default;
    // Lets pending window events run once.
    virtual void doEvents() = 0;
    virtual void setFocus(const Control& control) = 0;
    virtual void showMainWindow() = 0;
    virtual void openGuide(Guide guide, bool modal) = 0;
    // The help viewer: show a help file at its default topic; close every help window.
    virtual void openHelp(const std::string& helpFile) = 0;
    virtual void closeHelp() = 0;
    // Ends the program once the current handler returns; nothing is written.
    virtual void endProgram() = 0;
};

}  // namespace zm
