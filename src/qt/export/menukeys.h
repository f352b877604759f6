#pragma once

#include <QObject>

class QWidget;

namespace zm {

// Shift+F10 opens a widget's context menu, as the Menu key does, at its
// current row (for a table) or in its middle, so that a table's or a chart's
// menu is within reach of the keyboard.
class MenuKeys : public QObject {
public:
    explicit MenuKeys(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* widget_;
};

// Gives `widget` its menu by the keys.
void openMenuByKeys(QWidget* widget);

}  // namespace zm
