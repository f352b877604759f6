#pragma once

#include <QWidget>

namespace zm {

// A rectangle in the palette's highlight around a widget while it has the
// focus, for a widget that draws no focus of its own (a chart). It lies over
// the widget and lets every click through.
class FocusFrame : public QWidget {
public:
    explicit FocusFrame(QWidget* owner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* owner_;
};

// `widget` takes the focus by Tab and by a click, and shows it.
void showFocus(QWidget* widget);

}  // namespace zm
