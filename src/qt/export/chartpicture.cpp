#include "qt/export/chartpicture.h"

#include <qcustomplot.h>
#include <QBuffer>
#include <QMenu>
#include <QPdfWriter>

#include "qt/export/dataexport.h"
#include "qt/export/menukeys.h"
#include "qt/export/pageprint.h"
#include "qt/export/pdftext.h"
#include "qt/export/savedialog.h"
#include "qt/qtconvert.h"

namespace zm {

namespace {

void saveChart(QCustomPlot* plot, DataExport& out) {
    const QString name =
        askSaveName(plot, "画像として保存", offeredPath(out.fileName(pageTitleOf(plot), ".png")),
                    {"PNG (*.png)", "PDF (*.pdf)"});
    if (name.isEmpty()) return;
    const bool pdf = name.endsWith(".pdf", Qt::CaseInsensitive);
    out.save(pathOf(name), bytesOf(chartPicture(plot, pdf)));
}

}  // namespace

void offerChart(QCustomPlot* plot, DataExport& out) {
    plot->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(plot, &QWidget::customContextMenuRequested, plot,
                     [plot, &out](const QPoint& at) {
                         QMenu menu(plot);
                         menu.addAction("画像として保存…", [plot, &out] { saveChart(plot, out); });
                         addPrintEntry(menu, plot);
                         menu.exec(plot->mapToGlobal(at));
                     });
    openMenuByKeys(plot);
}

QByteArray chartPicture(QCustomPlot* plot, bool pdf) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!pdf) {
        plot->toPixmap(plot->width(), plot->height(), 2.0 * plot->devicePixelRatioF())
            .save(&buffer, "PNG");
        return bytes;
    }
    // One sheet the size of the chart, in points at 96 pixels an inch.
    QPdfWriter writer(&buffer);
    writer.setCreator("ズメリ貯金Ｐｒｏ");
    writer.setPageSize(
        QPageSize(QSizeF(plot->width() * 72.0 / 96, plot->height() * 72.0 / 96), QPageSize::Point));
    writer.setPageMargins({0, 0, 0, 0});
    writer.setResolution(96);
    QCPPainter painter(&writer);
    painter.setMode(QCPPainter::pmVectorized);
    plot->toPainter(&painter, plot->width(), plot->height());
    painter.end();
    mendPdfText(bytes);
    return bytes;
}

}  // namespace zm
