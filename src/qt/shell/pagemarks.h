#pragma once

#include <QObject>
#include <utility>
#include <vector>

class QAbstractButton;
class QWidget;

namespace zm {

// The page buttons mark the page on screen: each checkable, checked while
// its page is shown and only then, kept in step with the page shown however it came to be shown (its
// button, Ctrl+N, an undo, a restore, the help tour).
class PageMarks : public QObject {
public:
    // Each button with the page it opens.
    PageMarks(std::vector<std::pair<QAbstractButton*, QWidget*>> pages, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mark();

    std::vector<std::pair<QAbstractButton*, QWidget*>> pages_;
};

}  // namespace zm
