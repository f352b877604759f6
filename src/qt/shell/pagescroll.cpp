#include "qt/shell/pagescroll.h"

#include <QEvent>
#include <QLayout>
#include <QScreen>

namespace zm {

PageScroll::PageScroll(QWidget* body, std::function<QSize()> around, QWidget* parent)
    : QScrollArea(parent), around_(std::move(around)) {
    setObjectName("pageScroll");
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(body);
    // A page filled later needs more room: the window follows.
    body->installEventFilter(this);
}

QSize PageScroll::room() const {
    const QScreen* s = screen();
    if (!s) return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    return s->availableGeometry().size() - around_();
}

QSize PageScroll::minimumSizeHint() const {
    return widget()->minimumSizeHint().boundedTo(room()).expandedTo(QSize(160, 120));
}

QSize PageScroll::sizeHint() const {
    return widget()->sizeHint().boundedTo(room());
}

bool PageScroll::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget() && event->type() == QEvent::LayoutRequest) {
        updateGeometry();
        // At once, as the window's own layout would: a page filled while the
        // window is hidden lays out its grid in the room it will have.
        if (QLayout* around = window()->layout()) around->activate();
    }
    return QScrollArea::eventFilter(watched, event);
}

}  // namespace zm
