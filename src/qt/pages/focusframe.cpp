#include "qt/pages/focusframe.h"

#include <QEvent>
#include <QPainter>

namespace zm {

FocusFrame::FocusFrame(QWidget* owner) : QWidget(owner), owner_(owner) {
    setObjectName("focusFrame");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    owner->installEventFilter(this);
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched != owner_) return false;
    switch (event->type()) {
        case QEvent::FocusIn:
            setGeometry(owner_->rect());
            raise();
            show();
            break;
        case QEvent::FocusOut:
            hide();
            break;
        case QEvent::Resize:
            setGeometry(owner_->rect());
            break;
        default:
            break;
    }
    return false;
}

void FocusFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int width = 2;
    painter.setPen(QPen(palette().color(QPalette::Highlight), width));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(width / 2, width / 2, -width / 2, -width / 2));
}

void showFocus(QWidget* widget) {
    widget->setFocusPolicy(Qt::StrongFocus);
    new FocusFrame(widget);
}

}  // namespace zm
