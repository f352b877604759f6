#include "qt/itemviews/tabout.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

namespace zm {

TabOut::TabOut(QAbstractItemView* view) : QObject(view) {
    view->setTabKeyNavigation(false);
    view->installEventFilter(this);
}

bool TabOut::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers();
    if ((key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) ||
        !(mods & Qt::ControlModifier) || (mods & ~(Qt::ControlModifier | Qt::ShiftModifier))) {
        return false;
    }
    // Qt moves the focus on Tab and Shift+Tab only: Ctrl+Tab is passed on as
    // the plain key, which does.
    QKeyEvent plain(QEvent::KeyPress, key->key(), mods & ~Qt::ControlModifier);
    QApplication::sendEvent(watched, &plain);
    return true;
}

void leaveByTab(QAbstractItemView* view) {
    new TabOut(view);
}

}  // namespace zm
