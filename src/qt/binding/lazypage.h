#pragma once

#include <QWidget>
#include <functional>

namespace zm {

class Control;

// A page's widget with what fills it, until it is filled: a page that is
// never opened costs nothing at start-up. Its controls draw their state when
// bound.
class LazyPage : public QWidget {
public:
    explicit LazyPage(std::function<void(QWidget*)> fill);
    // Fills the page now, hidden or not; false when it was filled already.
    bool fill();

private:
    std::function<void(QWidget*)> fill_;
};

// A LazyPage bound to its frame, filled just before the frame is next shown.
QWidget* lazyPage(Control& frame, std::function<void(QWidget*)> fill);
// Fills a page made by lazyPage now; false when it was filled or is none.
bool fillPage(QWidget* page);

}  // namespace zm
