#include "qt/binding/presswatch.h"

#include <QEvent>
#include <utility>

namespace zm {

PressWatch::PressWatch(QObject* parent, std::shared_ptr<ListPress> state)
    : QObject(parent), state_(std::move(state)) {}

bool PressWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        state_->pressing = true;
        state_->picked = false;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        state_->pressing = false;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zm
