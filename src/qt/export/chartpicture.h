#pragma once

#include <QByteArray>

class QCustomPlot;

namespace zm {

class DataExport;

// A chart's menu: "画像として保存…" as PNG at twice the screen's density, or
// PDF, and "印刷…" where its page prints; opened also by Shift+F10 and the
// Menu key.
void offerChart(QCustomPlot* plot, DataExport& out);

// A chart as a file: PDF (vector), or PNG of its size on screen at twice the
// screen's pixel density.
QByteArray chartPicture(QCustomPlot* plot, bool pdf);

}  // namespace zm
