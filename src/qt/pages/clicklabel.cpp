#include "qt/pages/clicklabel.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace zm {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) emit clicked();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    // The release that follows belongs to the double-click.
    pressed_ = false;
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
        return;
    }
    QLabel::mouseDoubleClickEvent(event);
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            emit clicked();
            emit doubleClicked();
            return;
        default:
            QLabel::keyPressEvent(event);
    }
}

}  // namespace zm
