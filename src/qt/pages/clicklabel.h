#pragma once

#include <QLabel>

namespace zm {

// A label (text or picture) that reports clicks and double-clicks. A double-click
// gives one click and then one double-click, never a second click. With the
// keyboard focus, Enter or Space counts as both, so that either gesture can be
// reached without a mouse.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace zm
