#pragma once

#include "ui/dialogs.h"

class QWidget;

namespace zm {

// Message and input boxes as QMessageBox and QInputDialog.
class QtDialogs final : public Dialogs {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    Answer msgBox(const std::string& text, const std::string& title, Icon icon,
                  Buttons buttons) override;
    std::string inputBox(const std::string& prompt, const std::string& title) override;

private:
    QWidget* parent_ = nullptr;
};

}  // namespace zm
