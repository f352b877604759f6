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
    switch (icon) {
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Icon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::None:
            break;
    }
    switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            break;
        case Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            break;
    }
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
