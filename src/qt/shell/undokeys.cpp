#include "qt/shell/undokeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace zm {

namespace {

enum class Key { None, Undo, Redo };

Key keyOf(const QKeyEvent& e) {
    const auto mods = e.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier |
                                       Qt::MetaModifier);
    if (e.key() == Qt::Key_Z && mods == Qt::ControlModifier) return Key::Undo;
    if (e.key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier)) return Key::Redo;
    if (e.key() == Qt::Key_Y && mods == Qt::ControlModifier) return Key::Redo;
    return Key::None;
}

}  // namespace

UndoKeys::UndoKeys(QWidget* window, std::function<void()> undo, std::function<void()> redo)
    : QObject(window), window_(window), undo_(std::move(undo)), redo_(std::move(redo)) {
    qApp->installEventFilter(this);
}

bool UndoKeys::eventFilter(QObject* watched, QEvent* event) {
    const bool override = event->type() == QEvent::ShortcutOverride;
    if (!override && event->type() != QEvent::KeyPress) return false;
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || target->window() != window_) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Key k = keyOf(*key);
    if (k == Key::None) return false;

    // The typing in a field is the field's own to undo.
    if (auto* field = qobject_cast<QLineEdit*>(target); field && !field->isReadOnly()) {
        const bool own = k == Key::Undo ? field->isUndoAvailable() : field->isRedoAvailable();
        if (own) {
            if (!override) k == Key::Undo ? field->undo() : field->redo();
            key->accept();
            return true;
        }
    }
    // The key press that follows an accepted override does the work once.
    key->accept();
    if (!override) (k == Key::Undo ? undo_ : redo_)();
    return true;
}

}  // namespace zm
