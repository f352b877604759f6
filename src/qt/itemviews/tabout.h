#pragma once

#include <QObject>

class QAbstractItemView;

namespace zm {

// Tab, Shift+Tab and Ctrl+Tab take the keys out of a table to the next or
// previous control; the arrow keys move within it. Without it a grid of
// thousands of rows would hold Tab for a row's every cell.
class TabOut : public QObject {
public:
    explicit TabOut(QAbstractItemView* view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Gives `view` its way out by Tab.
void leaveByTab(QAbstractItemView* view);

}  // namespace zm
