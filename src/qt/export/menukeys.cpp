#include "qt/export/menukeys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>

namespace zm {

MenuKeys::MenuKeys(QWidget* widget) : QObject(widget), widget_(widget) {
    widget->installEventFilter(this);
}

bool MenuKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != widget_ || event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier) return false;
    QPoint at = widget_->rect().center();
    if (auto* view = qobject_cast<QAbstractItemView*>(widget_)) {
        const QRect row = view->visualRect(view->currentIndex());
        if (row.isValid() && view->viewport()->rect().intersects(row)) {
            at = view->viewport()->mapTo(view, row.center());
        }
    }
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, widget_->mapToGlobal(at),
                           key->modifiers());
    QApplication::sendEvent(widget_, &menu);
    return true;
}

void openMenuByKeys(QWidget* widget) {
    new MenuKeys(widget);
}

}  // namespace zm
