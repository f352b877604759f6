#include "qt/shell/qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "qt/binding/bind.h"

namespace zm {

namespace {

// The logic breaks lines with CR LF.
QString shown(const std::string& text) {
    QString t = qs(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

QWidget* owner(QWidget* fallback) {
    QWidget* active = QApplication::activeModalWidget();
    if (!active) active = QApplication::activeWindow();
    return active ? active : fallback;
}

}  // namespace

Answer QtDialogs::msgBox(const std::string& text, const std::string& title, Icon icon,
                         Buttons buttons) {
    QMessageBox box(owner(parent_));
    box.setWindowTitle(qs(title));
    box.setText(shown(text));
    // In the order of Icon and Buttons.
    static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                                   QMessageBox::Warning, QMessageBox::Question,
                                                   QMessageBox::Critical};
    // Escape answers as the way out: never Yes or OK on a question.
    struct Choice {
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton byDefault;
        QMessageBox::StandardButton escape;
    };
    static const Choice kButtons[] = {
        {QMessageBox::Ok, QMessageBox::NoButton, QMessageBox::Ok},
        {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel},
        {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No}};
    if (icon != Icon::None) box.setIcon(kIcons[static_cast<int>(icon)]);
    const Choice& choice = kButtons[static_cast<int>(buttons)];
    box.setStandardButtons(choice.buttons);
    if (choice.byDefault != QMessageBox::NoButton) box.setDefaultButton(choice.byDefault);
    box.setEscapeButton(choice.escape);
    switch (box.exec()) {
        case QMessageBox::Cancel:
            return Answer::Cancel;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            break;
    }
    // A box closed without a button counts as its way out.
    if (buttons == Buttons::OkCancel && box.clickedButton() == nullptr) return Answer::Cancel;
    return Answer::Ok;
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title) {
    bool ok = false;
    const QString answer = QInputDialog::getText(owner(parent_), qs(title), shown(prompt),
                                                 QLineEdit::Normal, QString(), &ok);
    return ok ? ss(answer) : std::string();
}

}  // namespace zm
