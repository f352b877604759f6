#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace zm {

// The keys of undo (Ctrl+Z) and redo (Ctrl+Shift+Z, Ctrl+Y) in `window`: a
// text field with typing of its own to undo or redo takes them first, as in
// every desktop program; otherwise they undo or redo the last change of data.
class UndoKeys : public QObject {
    Q_OBJECT
public:
    UndoKeys(QWidget* window, std::function<void()> undo, std::function<void()> redo);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::function<void()> undo_, redo_;
};

}  // namespace zm
