#include "qt/export/reportpainter.h"

#include <qcustomplot.h>
#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "qt/export/pdftext.h"
#include "qt/qtconvert.h"
#include "qt/shell/style.h"

namespace zm {

namespace {

constexpr double kMm = 1 / 25.4;  // inches per millimetre

QFont printFont(int points, bool bold = false) {
    QFont f = QApplication::font();
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

// Column widths for the sheet: each as its header and widest text need
// (measured on a sample of the rows), shrunk together to the sheet's width.
std::vector<int> columnWidths(const OutTable& table, const QFontMetrics& fm,
                              const QFontMetrics& headerMetrics, int width, int pad) {
    std::vector<int> widths;
    for (const std::string& h : table.header) {
        widths.push_back(headerMetrics.horizontalAdvance(qs(h)) + pad);
    }
    const std::size_t n = table.rows.size();
    const std::size_t step = std::max<std::size_t>(1, n / 2000);
    auto measure = [&](std::size_t r) {
        const auto& row = table.rows[r];
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c) {
            widths[c] = std::max(widths[c], fm.horizontalAdvance(qs(row[c].shownText())) + pad);
        }
    };
    for (std::size_t r = 0; r < n; r += step) measure(r);
    if (n > 0) measure(n - 1);
    long total = 0;
    for (int w : widths) total += w;
    if (total > width) {
        for (int& w : widths) w = static_cast<int>(static_cast<long>(w) * width / total);
    }
    return widths;
}

// A report printed to a PDF file gets the text of its ideographs right; the
// file is whole by now, and keeps its size.
void mendPrintedPdf(const QPrinter& printer) {
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty()) return;
    QFile file(printer.outputFileName());
    if (!file.open(QIODevice::ReadWrite)) return;
    QByteArray bytes = file.readAll();
    if (mendPdfText(bytes) && file.seek(0)) file.write(bytes);
}

// The report drawn down the sheets: `y` is where the next piece goes.
class Sheets {
public:
    Sheets(QCPPainter& painter, QPagedPaintDevice& device)
        : painter_(painter), device_(device), width_(device.width()), height_(device.height()) {}

    int mm(double millimetres) const {
        return static_cast<int>(std::lround(millimetres * kMm * device_.logicalDpiY()));
    }
    int bottom() const { return height_ - mm(8); }
    int number() const { return number_; }

    void footer() {
        painter_.save();
        painter_.setFont(printFont(points::kPrintPageNumber));
        painter_.setPen(colour::kPageNumber);
        painter_.drawText(QRect(0, height_ - mm(6), width_, mm(6)), Qt::AlignCenter,
                          QStringLiteral("- %1 -").arg(number_));
        painter_.restore();
    }
    // The next sheet, with room for `height` below `y` on this one or not.
    bool roomFor(int height) {
        if (y_ + height <= bottom()) return true;
        footer();
        ++number_;
        y_ = 0;
        return device_.newPage();
    }

    void heading(const Report& report) {
        painter_.setFont(printFont(points::kPrintTitle, true));
        const int titleHeight = painter_.fontMetrics().height();
        painter_.drawText(QRect(0, y_, width_, titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                          qs(report.title));
        painter_.setFont(printFont(points::kPrintText));
        painter_.drawText(QRect(0, y_, width_, titleHeight), Qt::AlignRight | Qt::AlignVCenter,
                          "作成日 " + qs(report.date));
        y_ += titleHeight + mm(4);
    }

    // The figures, flowed across the sheet.
    void figures(const Report& report) {
        const QFontMetrics metrics = painter_.fontMetrics();
        int x = 0;
        for (const auto& [caption, value] : report.figures) {
            const QString text = qs(caption) + "  " + qs(value);
            const int w = metrics.horizontalAdvance(text) + mm(10);
            if (x > 0 && x + w > width_) {
                x = 0;
                y_ += metrics.height() + mm(1);
            }
            painter_.drawText(QPoint(x, y_ + metrics.ascent()), text);
            x += w;
        }
        if (!report.figures.empty()) y_ += metrics.height() + mm(4);
    }

    // Drawn as on a screen of about a thousand pixels across, three times as
    // fine, so that its axes and legend keep their proportions.
    void chart(QCustomPlot* plot) {
        const int h = height_ * 3 / 10;
        const int logicalWidth = 1000;
        const int logicalHeight = logicalWidth * h / width_;
        const QPixmap picture = plot->toPixmap(logicalWidth, logicalHeight, 3.0);
        painter_.drawPixmap(QRect(0, y_, width_, h), picture);
        y_ += h + mm(4);
    }

    // Every table, with its header row on each sheet it reaches; false when
    // the progress stopped it or a sheet could not be begun.
    bool tables(const Report& report, const std::function<bool(int, int)>& progress) {
        int all = 0;
        for (const OutTable& t : report.tables) all += static_cast<int>(t.rows.size());
        int done = 0;
        cellFont_ = printFont(points::kPrintCell);
        headFont_ = printFont(points::kPrintCell, true);
        // The metrics of the fonts as the painter draws them on this device.
        painter_.setFont(headFont_);
        const QFontMetrics headerMetrics = painter_.fontMetrics();
        painter_.setFont(cellFont_);
        const QFontMetrics fm = painter_.fontMetrics();
        rowHeight_ = fm.height() + mm(1.5);
        pad_ = mm(2);

        for (const OutTable& table : report.tables) {
            widths_ = columnWidths(table, fm, headerMetrics, width_, 2 * pad_);
            std::vector<QString> header;
            for (const std::string& h : table.header) header.push_back(qs(h));
            // A table's own name, where the report holds more than one.
            if (report.tables.size() > 1) {
                if (!roomFor(3 * rowHeight_)) return false;
                painter_.setFont(printFont(points::kPrintText, true));
                painter_.drawText(QRect(0, y_, width_, rowHeight_),
                                  Qt::AlignLeft | Qt::AlignVCenter, qs(table.title));
                y_ += rowHeight_;
            }
            if (!roomFor(2 * rowHeight_)) return false;
            row(table, fm, header, true);
            std::vector<QString> texts(table.header.size());
            for (const auto& cells : table.rows) {
                if (y_ + rowHeight_ > bottom()) {
                    if (!roomFor(rowHeight_)) return false;
                    row(table, fm, header, true);
                }
                for (std::size_t c = 0; c < texts.size(); ++c) {
                    texts[c] = c < cells.size() ? qs(cells[c].shownText()) : QString();
                }
                row(table, fm, texts, false);
                if (++done % 100 == 0 && progress && !progress(done, all)) {
                    painter_.end();
                    return false;
                }
            }
            y_ += mm(6);
        }
        footer();
        if (progress) progress(all, all);
        return true;
    }

private:
    void row(const OutTable& table, const QFontMetrics& fm, const std::vector<QString>& texts,
             bool header) {
        painter_.setFont(header ? headFont_ : cellFont_);
        if (header) painter_.fillRect(QRect(0, y_, width_, rowHeight_), lightScheme().headerCell);
        int cx = 0;
        for (std::size_t c = 0; c < widths_.size(); ++c) {
            // A measure is rounded to whole pixels: a text as wide as its
            // column is not cut for that.
            const QRect cell(cx + pad_, y_, widths_[c] - 2 * pad_, rowHeight_);
            const QString text = c < texts.size()
                                     ? fm.elidedText(texts[c], Qt::ElideRight, cell.width() + 1)
                                     : QString();
            const Qt::Alignment align =
                header ? Qt::AlignCenter
                       : qtAlign(c < table.align.size() ? table.align[c] : Align::Left);
            painter_.drawText(cell, static_cast<int>(align.toInt()), text);
            cx += widths_[c];
        }
        y_ += rowHeight_;
        painter_.setPen(QPen(lightScheme().gridLine, 0));
        painter_.drawLine(QLineF(0, y_, cx, y_));
        painter_.setPen(colour::kPrintText);
    }

    QCPPainter& painter_;
    QPagedPaintDevice& device_;
    int width_, height_;
    int number_ = 1;
    int y_ = 0;
    QFont cellFont_, headFont_;
    int rowHeight_ = 0, pad_ = 0;
    std::vector<int> widths_;
};

}  // namespace

int drawReport(QPagedPaintDevice& device, const Report& report,
               const std::function<bool(int done, int all)>& progress) {
    QCPPainter painter;
    if (!painter.begin(&device)) return -1;
    Sheets sheets(painter, device);
    sheets.heading(report);
    sheets.figures(report);
    if (report.chart) sheets.chart(report.chart);
    if (!sheets.tables(report, progress)) return -1;
    painter.end();
    if (auto* printer = dynamic_cast<QPrinter*>(&device)) mendPrintedPdf(*printer);
    return sheets.number();
}

}  // namespace zm
