#include "qt/charts/drawwhenshown.h"

#include <qcustomplot.h>
#include <QEvent>

namespace zm {

DrawWhenShown::DrawWhenShown(QCustomPlot* plot) : QObject(plot), plot_(plot) {
    plot->installEventFilter(this);
    connect(plot_, &QCustomPlot::beforeReplot, this, [this] { stale_ = hidden_; });
    if (!plot->isVisible()) hide();
}

bool DrawWhenShown::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && !hidden_) hide();
    if (event->type() == QEvent::Show && hidden_) show();
    return QObject::eventFilter(watched, event);
}

void DrawWhenShown::hide() {
    hidden_ = true;
    for (int i = 0; i < plot_->layerCount(); ++i) {
        QCPLayer* layer = plot_->layer(i);
        if (!layer->visible()) continue;
        layer->setVisible(false);
        switchedOff_.push_back(layer);
    }
}

void DrawWhenShown::show() {
    hidden_ = false;
    for (QCPLayer* layer : switchedOff_) layer->setVisible(true);
    switchedOff_.clear();
    // A page shown for the first time is laid out after this, and its chart
    // resized, which draws it: draw here only if nothing did.
    if (stale_) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (stale_ && !hidden_) plot_->replot();
            },
            Qt::QueuedConnection);
    }
}

void drawWhenShown(QCustomPlot* plot) {
    new DrawWhenShown(plot);
}

}  // namespace zm
