#include "support/scripted.h"

#include <gtest/gtest.h>

namespace zm::test {

ScriptedDialogs::~ScriptedDialogs() {
    EXPECT_TRUE(script_.empty()) << script_.size() << " scripted answers were never asked for";
}

ScriptedDialogs& ScriptedDialogs::answer(Answer a) {
    script_.push_back({false, a, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::type(std::string text) {
    script_.push_back({true, Answer::Ok, std::move(text)});
    return *this;
}

Answer ScriptedDialogs::msgBox(const std::string& text, const std::string& title, Icon icon,
                               Buttons buttons) {
    shown.push_back({text, title, icon, buttons, false});
    if (script_.empty() || script_.front().input) {
        ADD_FAILURE() << "unexpected message box: " << title << " / " << text;
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    const Answer a = script_.front().answer;
    script_.pop_front();
    return a;
}

std::string ScriptedDialogs::inputBox(const std::string& prompt, const std::string& title) {
    shown.push_back({prompt, title, Icon::None, Buttons::OkCancel, true});
    if (script_.empty() || !script_.front().input) {
        ADD_FAILURE() << "unexpected input box: " << title << " / " << prompt;
        return {};
    }
    std::string t = std::move(script_.front().text);
    script_.pop_front();
    return t;
}

}  // namespace zm::test
