#pragma once

#include <QScrollArea>
#include <functional>

namespace zm {

// The window's buttons and pages. Where the screen has room it needs all the
// room they need, so they never scroll and the window looks as it always has;
// on a smaller screen, or with larger text, it asks no more than the screen
// has, and the pages scroll instead of being cut off.
class PageScroll : public QScrollArea {
    Q_OBJECT
public:
    // `around`: the room the window takes around the pages (its frame, its
    // status line).
    PageScroll(QWidget* body, std::function<QSize()> around, QWidget* parent = nullptr);
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSize room() const;

    std::function<QSize()> around_;
};

}  // namespace zm
