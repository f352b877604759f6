#pragma once

#include <QObject>
#include <memory>

namespace zm {

struct ListPress {
    bool pressing = false;  // a mouse button is down on the list
    bool picked = false;    // and that press has picked an entry
};

// Tells the list's handlers whether a change comes from a mouse press.
class PressWatch : public QObject {
public:
    PressWatch(QObject* parent, std::shared_ptr<ListPress> state);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::shared_ptr<ListPress> state_;
};

}  // namespace zm
