#pragma once

#include <QObject>
#include <functional>

namespace zm {

// Turns Enter in a line edit into the logic's key press 13.
class EnterFilter : public QObject {
public:
    EnterFilter(QObject* parent, std::function<void()> onEnter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> onEnter_;
};

}  // namespace zm
