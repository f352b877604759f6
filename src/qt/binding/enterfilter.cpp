#include "qt/binding/enterfilter.h"

#include <QEvent>
#include <QKeyEvent>
#include <utility>

namespace zm {

EnterFilter::EnterFilter(QObject* parent, std::function<void()> onEnter)
    : QObject(parent), onEnter_(std::move(onEnter)) {}

bool EnterFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            onEnter_();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zm
