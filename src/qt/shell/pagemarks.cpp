#include "qt/shell/pagemarks.h"

#include <QAbstractButton>
#include <QEvent>
#include <QWidget>

namespace zm {

PageMarks::PageMarks(std::vector<std::pair<QAbstractButton*, QWidget*>> pages, QObject* parent)
    : QObject(parent), pages_(std::move(pages)) {
    for (auto [button, page] : pages_) {
        button->setCheckable(true);
        // A click toggles its button at once; the page shown decides again
        // once the click's handler has run.
        connect(button, &QAbstractButton::clicked, this, &PageMarks::mark);
        // Shown or hidden by the page's own wish, whether the window is on
        // screen yet or not.
        page->installEventFilter(this);
    }
    mark();
}

bool PageMarks::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) mark();
    return false;
}

void PageMarks::mark() {
    for (auto [button, page] : pages_) button->setChecked(!page->isHidden());
}

}  // namespace zm
