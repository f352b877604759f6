#include "qt/dataout.h"

#include <qcustomplot.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPaintEngine>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QShortcut>
#include <QSplitter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeView>
#include <algorithm>
#include <cmath>

#include "app/mainform.h"
#include "qt/bind.h"
#include "qt/chartview.h"
#include "qt/filelistinjapanese.h"
#include "qt/pdftext.h"

namespace zm {

namespace {

MainForm* outForm = nullptr;

// A page's PageOut, kept as a child of the page widget.
class PageOutHolder : public QObject {
public:
    PageOutHolder(PageOut out, QObject* parent) : QObject(parent), out_(std::move(out)) {
        setObjectName("pageOut");
    }
    const PageOut& out() const { return out_; }

private:
    PageOut out_;
};

std::string windowTitleOf(const QWidget* widget) {
    return ss(widget->window()->windowTitle());
}

std::string pageTitleOf(const QWidget* widget) {
    const PageOut* page = pageOutOf(widget);
    return page && page->title ? page->title() : windowTitleOf(widget);
}

// A path in the user's documents folder, or the home folder where there is
// none: never the data folder, which the dialog falls back to otherwise.
QString offeredPath(const std::string& name) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) dir = QDir::homePath();
    return QDir(dir).filePath(qs(name));
}

// Asks for a file name to save under; empty on Cancel.
QString askSaveName(QWidget* parent, const QString& caption, const QString& offered,
                    const QStringList& filters) {
    QFileDialog dialog(parent ? parent->window() : nullptr, caption, offered);
    dialog.setObjectName("saveDialog");
    dialog.setProxyModel(new FileListInJapanese(&dialog));
    // Room for the names, sizes, kinds and dates of the list, and for the
    // places beside it.
    dialog.resize(dialog.sizeHint().expandedTo({800, 500}));
    if (auto* list = dialog.findChild<QTreeView*>("treeView")) {
        const QFontMetrics fm(list->font());
        const int pad = 3 * fm.averageCharWidth();
        int column = 1;
        for (const char* widest : {"999.9 KB", "CSV ファイル", "2026/12/31 23:59"}) {
            list->header()->resizeSection(column++, fm.horizontalAdvance(qs(widest)) + pad);
        }
    }
    if (auto* places = dialog.findChild<QSplitter*>("splitter")) places->setSizes({190, 610});
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QFileInfo(offered).suffix());
    // The suffix follows the kind picked, so that a bare name gets it.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        dialog.setDefaultSuffix(f.contains("*.pdf") ? "pdf" : f.contains("*.png") ? "png" : "csv");
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

std::filesystem::path toPath(const QString& name) {
    const QByteArray utf8 = name.toUtf8();
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

void printPage(QWidget* anywhere);

void addPrintEntry(QMenu& menu, QWidget* widget) {
    const PageOut* page = pageOutOf(widget);
    if (!page || !page->tables) return;
    menu.addSeparator();
    QAction* print = menu.addAction("印刷…", [widget] { printPage(widget); });
    print->setShortcut(QKeySequence::Print);
}

// The ways out of one table: its context menu and keys.
class TableOut : public QObject {
public:
    TableOut(QWidget* table, TableRows rows)
        : QObject(table), table_(table), rows_(std::move(rows)) {
        setObjectName("tableOut");
        if (auto* view = qobject_cast<QAbstractItemView*>(table)) {
            view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        }
        table->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(table, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
            QMenu menu(table_);
            QAction* copy = menu.addAction("コピー", [this] { copyRows(); });
            copy->setShortcut(QKeySequence::Copy);
            menu.addAction("CSVで保存…", [this] { saveCsv(); });
            addPrintEntry(menu, table_);
            menu.exec(table_->mapToGlobal(at));
        });
        table->installEventFilter(this);
    }

    void setTitle(std::function<std::string()> title) { title_ = std::move(title); }
    std::string title() const { return title_ ? title_() : pageTitleOf(table_); }

    void copyRows() { copyTable(rows_(selectedRows(), title())); }

    void saveCsv() {
        if (!outForm) return;
        const std::string title = this->title();
        const QString name = askSaveName(
            table_, "CSVで保存", offeredPath(outForm->outFileName(title, ".csv")), {"CSV (*.csv)"});
        if (name.isEmpty()) return;
        outForm->saveCsv(toPath(name), rows_(selectedRows(), title));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != table_) return false;
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        const bool copy = key->matches(QKeySequence::Copy);
        const bool all = key->matches(QKeySequence::SelectAll);
        if (!copy && !all) return false;
        // Taken here rather than by a shortcut elsewhere in the window.
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        if (copy) copyRows();
        if (auto* view = qobject_cast<QAbstractItemView*>(table_); view && all) view->selectAll();
        return true;
    }

private:
    // The selected rows, 1-based and in order; none selected gives none.
    std::vector<int> selectedRows() const {
        std::vector<int> rows;
        auto* view = qobject_cast<QAbstractItemView*>(table_);
        if (!view || !view->selectionModel()) return rows;
        for (const QModelIndex& index : view->selectionModel()->selectedRows()) {
            rows.push_back(index.row() + 1);
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    QWidget* table_;
    TableRows rows_;
    std::function<std::string()> title_;
};

void saveChart(ChartView* chart) {
    if (!outForm) return;
    const QString name = askSaveName(chart, "画像として保存",
                                     offeredPath(outForm->outFileName(pageTitleOf(chart), ".png")),
                                     {"PNG (*.png)", "PDF (*.pdf)"});
    if (name.isEmpty()) return;
    const bool pdf = name.endsWith(".pdf", Qt::CaseInsensitive);
    const QByteArray bytes = chartPicture(chart->plot(), pdf);
    outForm->saveOutFile(
        toPath(name), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// The report on the printer the preview asks to be painted: its own while
// it shows the sheets, the chosen printer when the user prints.
void drawPrint(const PageOut& page, QPrinter& target, QPrintPreviewDialog& preview) {
    const Report report = reportOf(page, dateText(outForm->today()));
    QProgressDialog progress("印刷の準備をしています…", "キャンセル", 0, 1, &preview);
    progress.setObjectName("printProgress");
    progress.setWindowTitle("印刷");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    // The sheets being drawn are not shown until they are all there: the
    // preview must not paint a sheet still being recorded.
    auto* sheets = preview.findChild<QPrintPreviewWidget*>();
    if (sheets) sheets->setUpdatesEnabled(false);
    const bool previewing =
        target.paintEngine() && target.paintEngine()->type() == QPaintEngine::Picture;
    const int drawn = drawReport(target, report, [&](int done, int all) {
        progress.setMaximum(all);
        progress.setValue(done);
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    if (sheets) sheets->setUpdatesEnabled(true);
    // A print stopped half-way is not sent to the printer; the preview shows
    // the sheets drawn until then.
    if (drawn < 0 && !previewing) target.abort();
}

// The preview's print button. Without a printer the report is saved as a PDF
// file, through the same dialog as every other file and written whole; with
// printers the print dialog offers them, its file in the documents folder.
void printFromPreview(QPrintPreviewDialog& preview, QPrinter& printer, const std::string& title) {
    auto* sheets = preview.findChild<QPrintPreviewWidget*>();
    if (!sheets) return;
    const QString pdfName = offeredPath(outForm->outFileName(title, ".pdf"));
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        const QString name = askSaveName(&preview, "PDFとして保存", pdfName, {"PDF (*.pdf)"});
        if (name.isEmpty()) return;
        QTemporaryDir scratch;
        if (!scratch.isValid()) return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(scratch.filePath("report.pdf"));
        sheets->print();
        QFile printed(printer.outputFileName());
        if (!printed.open(QIODevice::ReadOnly)) return;
        const QByteArray bytes = printed.readAll();
        if (outForm->saveOutFile(
                toPath(name),
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
            preview.accept();
        }
        return;
    }
    QPrintDialog dialog(&printer, &preview);
    if (auto* file = dialog.findChild<QLineEdit*>("filename")) file->setText(pdfName);
    if (dialog.exec() != QDialog::Accepted) return;
    sheets->print();
    preview.accept();
}

void printPage(QWidget* anywhere) {
    const PageOut* page = pageOutOf(anywhere);
    if (!page || !page->tables || !outForm) return;
    QWidget* window = anywhere->window();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(qs(page->title ? page->title() : windowTitleOf(anywhere)));
    QPrintPreviewDialog preview(&printer, window);
    preview.setObjectName("printPreview");
    preview.setWindowTitle("印刷プレビュー");
    // As large as the main window, a sheet as wide as the preview: a sheet
    // drawn whole in a small dialog is too small to read.
    preview.resize(window->size());
    const QString fitWidth = QCoreApplication::translate("QPrintPreviewDialog", "Fit width");
    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() == fitWidth) action->trigger();
    }
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [page, &preview](QPrinter* target) { drawPrint(*page, *target, preview); });
    const std::string title = page->title ? page->title() : windowTitleOf(anywhere);
    const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() != print) continue;
        QObject::disconnect(action, &QAction::triggered, &preview, nullptr);
        QObject::connect(action, &QAction::triggered, &preview, [&preview, &printer, title] {
            printFromPreview(preview, printer, title);
        });
    }
    preview.exec();
}

// ---- The report ----

// A report printed to a PDF file gets the text of its ideographs right; the
// file is whole by now, and keeps its size.
void mendPrintedPdf(const QPrinter& printer) {
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty()) return;
    QFile file(printer.outputFileName());
    if (!file.open(QIODevice::ReadWrite)) return;
    QByteArray bytes = file.readAll();
    if (mendPdfText(bytes) && file.seek(0)) file.write(bytes);
}

constexpr double kMm = 1 / 25.4;  // inches per millimetre

struct Sheet {
    QPainter& painter;
    QPagedPaintDevice& device;
    int width, height, number = 1;

    int mm(double millimetres) const {
        return static_cast<int>(std::lround(millimetres * kMm * device.logicalDpiY()));
    }
    void footer() {
        painter.save();
        painter.setFont(font(8));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRect(0, height - mm(6), width, mm(6)), Qt::AlignCenter,
                         QStringLiteral("- %1 -").arg(number));
        painter.restore();
    }
    bool next() {
        footer();
        ++number;
        return device.newPage();
    }
    QFont font(int points, bool bold = false) const {
        QFont f = QApplication::font();
        f.setPointSize(points);
        f.setBold(bold);
        return f;
    }
};

Qt::Alignment cellAlign(Align a) {
    switch (a) {
        case Align::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case Align::Centre:
            return Qt::AlignCenter;
        case Align::Left:
        case Align::Default:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
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

}  // namespace

void setOutForm(MainForm* form) {
    outForm = form;
}

const PageOut* pageOutOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (const auto* holder =
                w->findChild<PageOutHolder*>("pageOut", Qt::FindDirectChildrenOnly)) {
            return &holder->out();
        }
    }
    return nullptr;
}

void offerPage(QWidget* page, PageOut out) {
    const bool prints = static_cast<bool>(out.tables);
    new PageOutHolder(std::move(out), page);
    if (!prints) return;
    auto* shortcut = new QShortcut(QKeySequence::Print, page);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(shortcut, &QShortcut::activated, page, [page] { printPage(page); });
    // The page's own background offers the print too.
    page->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(page, &QWidget::customContextMenuRequested, page, [page](const QPoint& at) {
        QMenu menu(page);
        addPrintEntry(menu, page);
        menu.exec(page->mapToGlobal(at));
    });
}

void offerTable(QWidget* table, TableRows rows) {
    new TableOut(table, std::move(rows));
}

void setOutTitle(QWidget* table, std::function<std::string()> title) {
    if (auto* out = table->findChild<TableOut*>("tableOut", Qt::FindDirectChildrenOnly)) {
        out->setTitle(std::move(title));
    }
}

void offerChart(ChartView* chart) {
    QCustomPlot* plot = chart->plot();
    plot->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(plot, &QWidget::customContextMenuRequested, chart, [chart](const QPoint& at) {
        QMenu menu(chart);
        menu.addAction("画像として保存…", [chart] { saveChart(chart); });
        addPrintEntry(menu, chart);
        menu.exec(chart->plot()->mapToGlobal(at));
    });
}

void copyTable(const OutTable& table) {
    auto* mime = new QMimeData;
    mime->setText(qs(toTsv(table)));
    mime->setHtml(qs(toHtml(table)));
    QApplication::clipboard()->setMimeData(mime);
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

Report reportOf(const PageOut& out, const std::string& date) {
    Report report;
    report.title = out.title ? out.title() : std::string();
    report.date = date;
    for (const auto& [caption, label] : out.figures) {
        if (label->visible() && !label->caption().empty()) {
            report.figures.emplace_back(caption, label->caption());
        }
    }
    report.chart = out.chart ? out.chart->plot() : nullptr;
    if (out.tables) report.tables = out.tables();
    return report;
}

int drawReport(QPagedPaintDevice& device, const Report& report,
               const std::function<bool(int done, int all)>& progress) {
    QCPPainter painter;
    if (!painter.begin(&device)) return -1;
    Sheet sheet{painter, device, device.width(), device.height()};
    const int bottom = sheet.height - sheet.mm(8);
    int y = 0;

    // Title and date.
    painter.setFont(sheet.font(16, true));
    const int titleHeight = painter.fontMetrics().height();
    painter.drawText(QRect(0, y, sheet.width, titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     qs(report.title));
    painter.setFont(sheet.font(10));
    painter.drawText(QRect(0, y, sheet.width, titleHeight), Qt::AlignRight | Qt::AlignVCenter,
                     "作成日 " + qs(report.date));
    y += titleHeight + sheet.mm(4);

    // The figures, flowed across the sheet.
    const QFontMetrics figureMetrics = painter.fontMetrics();
    int x = 0;
    for (const auto& [caption, value] : report.figures) {
        const QString text = qs(caption) + "  " + qs(value);
        const int w = figureMetrics.horizontalAdvance(text) + sheet.mm(10);
        if (x > 0 && x + w > sheet.width) {
            x = 0;
            y += figureMetrics.height() + sheet.mm(1);
        }
        painter.drawText(QPoint(x, y + figureMetrics.ascent()), text);
        x += w;
    }
    if (!report.figures.empty()) y += figureMetrics.height() + sheet.mm(4);

    if (report.chart) {
        // Drawn as on a screen of about a thousand pixels across, three times
        // as fine, so that its axes and legend keep their proportions.
        const int h = sheet.height * 3 / 10;
        const int logicalWidth = 1000;
        const int logicalHeight = logicalWidth * h / sheet.width;
        const QPixmap picture = report.chart->toPixmap(logicalWidth, logicalHeight, 3.0);
        painter.drawPixmap(QRect(0, y, sheet.width, h), picture);
        y += h + sheet.mm(4);
    }

    int all = 0;
    for (const OutTable& t : report.tables) all += static_cast<int>(t.rows.size());
    int done = 0;
    const QFont cellFont = sheet.font(9);
    const QFont headFont = sheet.font(9, true);
    // The metrics of the fonts as the painter draws them on this device.
    painter.setFont(headFont);
    const QFontMetrics headerMetrics = painter.fontMetrics();
    painter.setFont(cellFont);
    const QFontMetrics fm = painter.fontMetrics();
    const int rowHeight = fm.height() + sheet.mm(1.5);
    const int pad = sheet.mm(2);
    const QPen line(QColor(0xb8, 0xc4, 0xd0), 0);

    for (const OutTable& table : report.tables) {
        const std::vector<int> widths =
            columnWidths(table, fm, headerMetrics, sheet.width, 2 * pad);
        auto drawRow = [&](const std::vector<QString>& texts, bool header) {
            painter.setFont(header ? headFont : cellFont);
            if (header)
                painter.fillRect(QRect(0, y, sheet.width, rowHeight), QColor(0xe8, 0xee, 0xf4));
            int cx = 0;
            for (std::size_t c = 0; c < widths.size(); ++c) {
                // A measure is rounded to whole pixels: a text as wide as its
                // column is not cut for that.
                const QRect cell(cx + pad, y, widths[c] - 2 * pad, rowHeight);
                const QString text = c < texts.size()
                                         ? fm.elidedText(texts[c], Qt::ElideRight, cell.width() + 1)
                                         : QString();
                const Qt::Alignment align =
                    header ? Qt::AlignCenter
                           : cellAlign(c < table.align.size() ? table.align[c] : Align::Left);
                painter.drawText(cell, static_cast<int>(align.toInt()), text);
                cx += widths[c];
            }
            y += rowHeight;
            painter.setPen(line);
            painter.drawLine(QLineF(0, y, cx, y));
            painter.setPen(Qt::black);
        };
        std::vector<QString> header;
        for (const std::string& h : table.header) header.push_back(qs(h));
        // A table's own name, where the report holds more than one.
        if (report.tables.size() > 1) {
            if (y + 3 * rowHeight > bottom) {
                if (!sheet.next()) return -1;
                y = 0;
            }
            painter.setFont(sheet.font(10, true));
            painter.drawText(QRect(0, y, sheet.width, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                             qs(table.title));
            y += rowHeight;
        }
        if (y + 2 * rowHeight > bottom) {
            if (!sheet.next()) return -1;
            y = 0;
        }
        drawRow(header, true);
        std::vector<QString> texts(table.header.size());
        for (const auto& row : table.rows) {
            if (y + rowHeight > bottom) {
                if (!sheet.next()) return -1;
                y = 0;
                drawRow(header, true);
            }
            for (std::size_t c = 0; c < texts.size(); ++c) {
                texts[c] = c < row.size() ? qs(row[c].shownText()) : QString();
            }
            drawRow(texts, false);
            if (++done % 100 == 0 && progress && !progress(done, all)) {
                painter.end();
                return -1;
            }
        }
        y += sheet.mm(6);
    }
    sheet.footer();
    if (progress) progress(all, all);
    painter.end();
    if (auto* printer = dynamic_cast<QPrinter*>(&device)) mendPrintedPdf(*printer);
    return sheet.number;
}

}  // namespace zm
