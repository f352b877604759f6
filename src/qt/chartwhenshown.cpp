#include "qt/chartwhenshown.h"

#include <qcustomplot.h>
#include <QEvent>
#include <vector>

#include "qt/chartview.h"

namespace zm {

namespace {

class DrawWhenShown final : public QObject {
public:
    explicit DrawWhenShown(ChartView* chart) : QObject(chart), plot_(chart->plot()) {
        chart->installEventFilter(this);
        connect(plot_, &QCustomPlot::beforeReplot, this, [this] { stale_ = hidden_; });
        if (!chart->isVisible()) hide();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && !hidden_) hide();
        if (event->type() == QEvent::Show && hidden_) show();
        return QObject::eventFilter(watched, event);
    }

private:
    void hide() {
        hidden_ = true;
        for (int i = 0; i < plot_->layerCount(); ++i) {
            QCPLayer* layer = plot_->layer(i);
            if (!layer->visible()) continue;
            layer->setVisible(false);
            switchedOff_.push_back(layer);
        }
    }
    void show() {
        hidden_ = false;
        for (QCPLayer* layer : switchedOff_) layer->setVisible(true);
        switchedOff_.clear();
        // A page shown for the first time is laid out after this, and its
        // chart resized, which draws it: draw here only if nothing did.
        if (stale_) {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (stale_ && !hidden_) plot_->replot();
                },
                Qt::QueuedConnection);
        }
    }

    QCustomPlot* plot_;
    std::vector<QCPLayer*> switchedOff_;
    bool hidden_ = false;
    // A replot while hidden drew nothing: the picture is out of date.
    bool stale_ = false;
};

}  // namespace

void drawWhenShown(ChartView* chart) {
    new DrawWhenShown(chart);
}

}  // namespace zm
