#include "qt/binding/lazypage.h"

#include <utility>

#include "qt/binding/bind.h"

namespace zm {

LazyPage::LazyPage(std::function<void(QWidget*)> fill) : fill_(std::move(fill)) {}

bool LazyPage::fill() {
    if (!fill_) return false;
    const auto build = std::move(fill_);
    fill_ = nullptr;
    build(this);
    return true;
}

QWidget* lazyPage(Control& frame, std::function<void(QWidget*)> fill) {
    auto* page = new LazyPage(std::move(fill));
    markBound(frame, page);
    // Frames start out visible until the start-up hides all but the first
    // page: only a frame shown after the bind is filled.
    drawCommon(frame, page);
    frame.bind([&frame, page] {
        if (frame.visible()) page->fill();
        drawCommon(frame, page);
    });
    return page;
}

bool fillPage(QWidget* page) {
    auto* lazy = dynamic_cast<LazyPage*>(page);
    return lazy && lazy->fill();
}

}  // namespace zm
