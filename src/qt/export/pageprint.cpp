#include "qt/export/pageprint.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QShortcut>
#include <QTemporaryDir>

#include "qt/export/dataexport.h"
#include "qt/export/reportpainter.h"
#include "qt/export/savedialog.h"
#include "qt/qtconvert.h"

namespace zm {

namespace {

// A page's PageOut and the way its files are written, kept as a child of the
// page widget.
class PageOutHolder : public QObject {
public:
    PageOutHolder(PageOut out, DataExport& exporter, QObject* parent)
        : QObject(parent), out_(std::move(out)), exporter_(exporter) {
        setObjectName("pageOut");
    }
    const PageOut& out() const { return out_; }
    DataExport& exporter() const { return exporter_; }

private:
    PageOut out_;
    DataExport& exporter_;
};

const PageOutHolder* holderOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (const auto* holder =
                w->findChild<PageOutHolder*>("pageOut", Qt::FindDirectChildrenOnly)) {
            return holder;
        }
    }
    return nullptr;
}

std::string windowTitleOf(const QWidget* widget) {
    return ss(widget->window()->windowTitle());
}

// The report on the printer the preview asks to be painted: its own while
// it shows the sheets, the chosen printer when the user prints.
void drawPrint(const PageOutHolder& page, QPrinter& target, QPrintPreviewDialog& preview) {
    const Report report = reportOf(page.out(), page.exporter().today());
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
void printFromPreview(QPrintPreviewDialog& preview, QPrinter& printer, const std::string& title,
                      DataExport& exporter) {
    auto* sheets = preview.findChild<QPrintPreviewWidget*>();
    if (!sheets) return;
    const QString pdfName = offeredPath(exporter.fileName(title, ".pdf"));
    // A file is printed aside and then written as every other file is, so
    // that it never lands in the data folder nor goes through a link.
    const auto printToFile = [&](const QString& name) {
        QTemporaryDir scratch;
        if (!scratch.isValid()) return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(scratch.filePath("report.pdf"));
        sheets->print();
        QFile printed(printer.outputFileName());
        if (!printed.open(QIODevice::ReadOnly)) return;
        if (exporter.save(pathOf(name), bytesOf(printed.readAll()))) preview.accept();
    };
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        const QString name = askSaveName(&preview, "PDFとして保存", pdfName, {"PDF (*.pdf)"});
        if (!name.isEmpty()) printToFile(name);
        return;
    }
    QPrintDialog dialog(&printer, &preview);
    if (auto* file = dialog.findChild<QLineEdit*>("filename")) file->setText(pdfName);
    if (dialog.exec() != QDialog::Accepted) return;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        printToFile(printer.outputFileName());
        return;
    }
    sheets->print();
    preview.accept();
}

void printPage(QWidget* anywhere) {
    const PageOutHolder* page = holderOf(anywhere);
    if (!page || !page->out().tables) return;
    QWidget* window = anywhere->window();
    const std::string title = page->out().title ? page->out().title() : windowTitleOf(anywhere);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(qs(title));
    QPrintPreviewDialog preview(&printer, window);
    preview.setObjectName("printPreview");
    preview.setWindowTitle("印刷プレビュー");
    // As large as the main window, a sheet as wide as the preview: a sheet
    // drawn whole in a small dialog is too small to read.
    preview.resize(window->size());
    const QString fitWidth = QCoreApplication::translate("QPrintPreviewDialog", "Fit width");
    const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() == fitWidth) action->trigger();
        if (action->text() != print) continue;
        QObject::disconnect(action, &QAction::triggered, &preview, nullptr);
        QObject::connect(action, &QAction::triggered, &preview, [&preview, &printer, title, page] {
            printFromPreview(preview, printer, title, page->exporter());
        });
    }
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [page, &preview](QPrinter* target) { drawPrint(*page, *target, preview); });
    preview.exec();
}

}  // namespace

const PageOut* pageOutOf(const QWidget* widget) {
    const PageOutHolder* holder = holderOf(widget);
    return holder ? &holder->out() : nullptr;
}

std::string pageTitleOf(const QWidget* widget) {
    const PageOut* page = pageOutOf(widget);
    return page && page->title ? page->title() : windowTitleOf(widget);
}

void addPrintEntry(QMenu& menu, QWidget* widget) {
    const PageOut* page = pageOutOf(widget);
    if (!page || !page->tables) return;
    menu.addSeparator();
    QAction* print = menu.addAction("印刷…", [widget] { printPage(widget); });
    print->setShortcut(QKeySequence::Print);
}

void offerPage(QWidget* page, PageOut offered, DataExport& out) {
    const bool prints = static_cast<bool>(offered.tables);
    new PageOutHolder(std::move(offered), out, page);
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

Report reportOf(const PageOut& out, const std::string& date) {
    Report report;
    report.title = out.title ? out.title() : std::string();
    report.date = date;
    for (const auto& [caption, label] : out.figures) {
        if (label->visible() && !label->caption().empty()) {
            report.figures.emplace_back(caption, label->caption());
        }
    }
    report.chart = out.chart;
    if (out.tables) report.tables = out.tables();
    return report;
}

}  // namespace zm
