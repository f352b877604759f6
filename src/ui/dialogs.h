#pragma once

#include <string>

namespace zm {

enum class Icon { None, Information, Exclamation, Question, Critical };
enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

// Modal message and input boxes. Texts break lines with CR LF.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer msgBox(const std::string& text, const std::string& title, Icon icon,
                          Buttons buttons) = 0;
    // Empty on Cancel.
    virtual std::string inputBox(const std::string& prompt, const std::string& title) = 0;
};

}  // namespace zm
