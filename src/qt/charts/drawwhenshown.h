#pragma once

#include <QObject>
#include <vector>

class QCPLayer;
class QCustomPlot;

namespace zm {

// A page chart is drawn when its page is shown. While it is hidden, a change
// of its data or size draws nothing (the plot's layers are off); the next
// showing draws it once, at the size it is shown at. A chart that nothing
// changed while hidden is shown as it was, without drawing.
class DrawWhenShown final : public QObject {
public:
    explicit DrawWhenShown(QCustomPlot* plot);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void hide();
    void show();

    QCustomPlot* plot_;
    std::vector<QCPLayer*> switchedOff_;
    bool hidden_ = false;
    // A replot while hidden drew nothing: the picture is out of date.
    bool stale_ = false;
};

// Makes the plot draw only while shown, for as long as it lives.
void drawWhenShown(QCustomPlot* plot);

}  // namespace zm
