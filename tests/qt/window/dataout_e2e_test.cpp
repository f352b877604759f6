// Taking the data out through the real window: the context menus of every
// table and chart, the clipboard, the file dialog, the print preview.
#include <gtest/gtest.h>
#include <qcustomplot.h>
#include <QClipboard>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QTreeView>
#include <filesystem>
#include <map>

#include "qt/charts/chartview.h"
#include "qt/export/chartpicture.h"
#include "qt/export/pageprint.h"
#include "qt/export/reportpainter.h"
#include "store/filenames.h"
#include "window.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using Grid = std::vector<Strings>;

// Runs `act` on the next popup menu or modal window that opens, once.
void onNextWindow(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act = std::move(act)] {
        QWidget* w = QApplication::activePopupWidget();
        if (!w) w = QApplication::activeModalWidget();
        if (!w || !w->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(w);
    });
    timer->start();
}

// Opens the context menu of `widget` and gives its entries; picks `entry`
// when one is named, with `next` acting on the window that it opens.
Strings contextMenu(QWidget* widget, const QString& entry = {},
                    std::function<void(QWidget*)> next = {}) {
    Strings entries;
    onNextWindow([&](QWidget* w) {
        auto* menu = qobject_cast<QMenu*>(w);
        ASSERT_NE(menu, nullptr);
        QAction* chosen = nullptr;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator()) continue;
            entries.push_back(a->text().toStdString());
            if (a->text() == entry) chosen = a;
        }
        menu->close();
        if (!chosen) return;
        if (next) onNextWindow(next);
        chosen->trigger();
    });
    emit widget->customContextMenuRequested(widget->rect().center());
    return entries;
}

// Answers a save dialog with `to` (Cancel when empty), keeping the name it
// offered.
void answerSaveDialog(QWidget* w, std::string& offered, const fs::path& to) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr) << w->metaObject()->className();
    offered = fs::path(dialog->selectedFiles().value(0).toStdString()).filename();
    if (to.empty()) {
        dialog->reject();
        return;
    }
    dialog->selectFile(QString::fromStdString(to.string()));
    QMetaObject::invokeMethod(dialog, "accept");
}

// Saves from the menu entry through the file dialog under `to` (Cancel when
// empty); gives the name the dialog offered.
std::string saveThroughDialog(QWidget* widget, const char* entry, const fs::path& to) {
    std::string offered;
    contextMenu(widget, entry, [&](QWidget* w) { answerSaveDialog(w, offered, to); });
    return offered;
}

Grid tsvCells(const QString& text) {
    Grid rows;
    for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
        Strings cells;
        for (const QString& cell : line.split('\t')) cells.push_back(cell.toStdString());
        rows.push_back(cells);
    }
    return rows;
}

Grid htmlCells(const QString& html) {
    QTextDocument doc;
    doc.setHtml(html);
    Grid rows;
    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table) continue;
        for (int r = 0; r < table->rows(); ++r) {
            Strings cells;
            for (int c = 0; c < table->columns(); ++c) {
                QTextCursor cursor = table->cellAt(r, c).firstCursorPosition();
                cursor.setPosition(table->cellAt(r, c).lastCursorPosition().position(),
                                   QTextCursor::KeepAnchor);
                cells.push_back(cursor.selectedText().toStdString());
            }
            rows.push_back(cells);
        }
    }
    return rows;
}

Grid shownCells(QTableView* view, const std::vector<int>& rows) {
    Grid grid;
    Strings header;
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        header.push_back(view->model()->headerData(c, Qt::Horizontal).toString().toStdString());
    }
    grid.push_back(header);
    for (int r : rows) {
        Strings cells;
        for (int c = 0; c < view->model()->columnCount(); ++c)
            cells.push_back(cellText(view, r, c));
        grid.push_back(cells);
    }
    return grid;
}

// The text of each sheet of a PDF, as pdftotext extracts it.
Strings pdfSheets(const fs::path& pdf) {
    std::string text;
    if (FILE* pipe = popen(("pdftotext -q '" + pdf.string() + "' -").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        pclose(pipe);
    }
    Strings sheets;
    for (std::size_t from = 0, end; (end = text.find('\f', from)) != std::string::npos;
         from = end + 1) {
        sheets.push_back(text.substr(from, end - from));
    }
    return sheets;
}

struct DataOut : ::testing::Test {
    Window win;
    TempDir out;

    void SetUp() override {
        win.w.putInstallation();
        win.w.put(files::kEvery,
                  "\"2026年03月03日\",\"09:00:00\",1\n\"2026年03月04日\",\"09:00:00\",2\n"
                  "\"2026年03月05日\",\"09:00:00\",3\n");
        win.w.put(files::kKozeni, "\"2026年03月01日\",\"09:00:00\",1234.5\n");
        win.w.put(files::kTheme[0], "\"2026年03月01日\",\"=1+2\",30\n");
        win.w.put(files::kGoals, "\"旅行\",300\n");
        win.start();
        ASSERT_FALSE(win.shell.ended());
        win.window->show();
        win.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(win.window.get()));
    }
};

// Every table and chart of every page offers its ways out; the pages that
// print offer "印刷…" there too, the tables that delete rows "削除…".
TEST_F(DataOut, EveryTableAndChartHasItsMenu) {
    const Strings table = {"コピー", "CSVで保存…", "印刷…"};
    const Strings chart = {"画像として保存…", "印刷…"};
    // A table whose rows are deleted offers that last.
    const Strings deleting = {"コピー", "CSVで保存…", "印刷…", "削除…"};
    const struct {
        const char* page;
        const char* widget;
        Strings entries;
    } cases[] = {
        {"cmdCyokin1", "msgEvery", table},
        {"cmdCyokin1", "mctEvery", chart},
        {"cmdCyokin2", "msgKozeni", deleting},
        {"cmdCyokin2", "mctKozeni", chart},
        {"cmdCyokin3", "msgChingin", deleting},
        {"cmdCyokin3", "msgChinKou", deleting},
        {"cmdCyokin5", "msgBakkin", deleting},
        {"cmdMaster", "msgMokuhyo", deleting},
        {"cmdData_Sort", "msgJunTema1", table},
        {"cmdData_Sort", "msgJunTema", table},
        {"cmdData_Sort", "bandTable", table},
        {"cmdDay", "msgDayList", table},
        {"cmdDay", "mctDay", chart},
        {"cmdMonth", "msgMonthList", table},
        {"cmdMonth", "mctMonth", chart},
    };
    for (const auto& c : cases) {
        win.click(c.page);
        QWidget* widget = win.find(c.widget);
        if (auto* view = qobject_cast<ChartView*>(widget)) widget = view->plot();
        EXPECT_EQ(contextMenu(widget), c.entries) << c.widget;
    }

    // "印刷…" and Ctrl+P open the print preview; closed, nothing is left open.
    for (bool key : {false, true}) {
        win.click("cmdCyokin2");
        bool previewed = false;
        const auto close = [&](QWidget* w) {
            previewed = qobject_cast<QPrintPreviewDialog*>(w) != nullptr;
            // As large as the window, the sheet at the preview's width.
            auto* sheets = w->findChild<QPrintPreviewWidget*>();
            EXPECT_TRUE(sheets && sheets->zoomMode() == QPrintPreviewWidget::FitToWidth);
            EXPECT_EQ(w->size(), win.window->size());
            w->close();
        };
        if (key) {
            onNextWindow(close);
            win.window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(win.window.get()));
            win.find("msgKozeni")->setFocus();
            QTest::keyClick(win.find("msgKozeni"), Qt::Key_P, Qt::ControlModifier);
        } else {
            contextMenu(win.find("msgKozeni"), "印刷…", close);
        }
        EXPECT_TRUE(previewed) << key;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

// Ctrl+C copies the selected rows, or all; Ctrl+A selects all; the text and
// the HTML table read back as the cells shown.
TEST_F(DataOut, CopiedRowsReadBackAsTheCellsShown) {
    auto* grid = win.find<QTableView>("msgEvery");
    auto copy = [&] {
        QApplication::clipboard()->clear();
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        EXPECT_EQ(tsvCells(mime->text()), htmlCells(mime->html()));
        return tsvCells(mime->text());
    };
    grid->clearSelection();
    EXPECT_EQ(copy(), shownCells(grid, {0, 1, 2}));
    // Picked from the bottom up, copied in the table's order.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rowCentre(grid, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, rowCentre(grid, 0));
    const Grid two = copy();
    EXPECT_EQ(two, shownCells(grid, {0, 2}));
    EXPECT_EQ(two[2], (Strings{"3", "2026年03月05日", "09:00:00", "¥3", "¥6"}));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rowCentre(grid, 1));
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(copy(), shownCells(grid, {0, 1, 2}));

    // The band table is copied whole from its menu.
    win.click("cmdData_Sort");
    contextMenu(win.find("bandTable"), "コピー");
    const Grid bands = tsvCells(QApplication::clipboard()->text());
    ASSERT_EQ(bands.size(), 7u);
    EXPECT_EQ(bands[2], (Strings{"小銭清算", "0", "0", "0", "0", "0", "0", "0", "1"}));
}

// Files through the real file dialog: the name offered, the CSV written,
// Cancel writing nothing; a chart's picture.
TEST_F(DataOut, CsvThroughTheFileDialog) {
    win.click("cmdCyokin3");
    QWidget* ledger = win.find("msgChingin");
    EXPECT_EQ(saveThroughDialog(ledger, "CSVで保存…", out.path() / "theme.csv"),
              "～つもり貯金_20260305.csv");
    EXPECT_EQ(out.read("theme.csv"),
              "\xEF\xBB\xBF回,日付,項目,入金,累計\r\n1,2026-03-01,'=1+2,30,30\r\n");

    out.write("theme.csv", "old");
    saveThroughDialog(ledger, "CSVで保存…", {});
    EXPECT_EQ(out.read("theme.csv"), "old");

    // A chart: PNG at twice its pixels, or PDF by the name's ending.
    QCustomPlot* plot = win.find<ChartView>("mctTema1")->plot();
    EXPECT_EQ(saveThroughDialog(plot, "画像として保存…", out.path() / "chart.png"),
              "～つもり貯金_20260305.png");
    EXPECT_EQ(QImage(QString::fromStdString((out.path() / "chart.png").string())).size(),
              plot->size() * 2);
    saveThroughDialog(plot, "画像として保存…", out.path() / "chart.pdf");
    EXPECT_EQ(out.read("chart.pdf").rfind("%PDF", 0), 0u);
}

// The save dialog opens in the documents folder, or the home folder where
// there is none, never the data folder; its list is in Japanese whatever the
// desktop's locale.
TEST_F(DataOut, TheSaveDialogOpensInTheDocumentsAndListsInJapanese) {
    TempDir home;
    home.write("メモ.csv", "abc");
    fs::create_directory(home.path() / "写真");
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().c_str());
    qputenv("XDG_CONFIG_HOME", (home.path() / "config").c_str());
    std::map<std::string, Strings> listed;
    for (const fs::path& where : {home.path(), home.path() / "Documents"}) {
        fs::create_directories(where);
        contextMenu(win.find("msgEvery"), "CSVで保存…", [&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->directory().absolutePath().toStdString(), where.string());
            auto* list = dialog->findChild<QTreeView*>("treeView");
            ASSERT_NE(list, nullptr);
            if (where == home.path()) {
                const QModelIndex root = list->rootIndex();
                EXPECT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount(root) == 2; }));
                for (int r = 0; r < list->model()->rowCount(root); ++r) {
                    Strings cells;
                    for (int c = 0; c < 4; ++c) {
                        cells.push_back(
                            list->model()->index(r, c, root).data().toString().toStdString());
                    }
                    EXPECT_TRUE(QString::fromStdString(cells[3]).contains(
                        QRegularExpression("^\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}$")))
                        << cells[3];
                    listed[cells[0]] = {cells[1], cells[2]};
                }
            }
            dialog->reject();
        });
    }
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
    EXPECT_EQ(listed["写真"], (Strings{"", "フォルダー"}));
    EXPECT_EQ(listed["メモ.csv"], (Strings{"3 バイト", "CSV ファイル"}));
}

// The report: as many sheets as the rows need, every one with the header
// row; Cancel in the progress stops it.
TEST_F(DataOut, ReportSheetsAndCancel) {
    std::string rows;
    for (int i = 0; i < 300; ++i) rows += "\"2026年03月01日\",\"09:00:00\",1\n";
    win.w.put(files::kKozeni, rows);
    win.form->kozeni.reload();
    win.click("cmdCyokin2");
    const PageOut* page = pageOutOf(win.find("msgKozeni"));
    ASSERT_NE(page, nullptr);
    const Report report = reportOf(*page, "2026年03月05日");
    ASSERT_EQ(report.tables.size(), 1u);
    EXPECT_EQ(report.tables[0].rows.size(), 300u);
    EXPECT_EQ(report.figures.front(), (std::pair<std::string, std::string>{"回数", "300回"}));

    const fs::path pdf = out.path() / "report.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    std::vector<int> told;
    const int sheets = drawReport(printer, report, [&](int done, int all) {
        EXPECT_EQ(all, 300);
        told.push_back(done);
        return true;
    });
    EXPECT_GE(sheets, 5);
    EXPECT_LE(sheets, 12);
    EXPECT_EQ(told.back(), 300);
    const std::string bytes = out.read("report.pdf");
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    // Read back as a reader of the file would: every sheet has the header
    // row, and the ideographs are themselves, not the radicals that share
    // their glyphs.
    const Strings sheetTexts = pdfSheets(pdf);
    ASSERT_EQ(static_cast<int>(sheetTexts.size()), sheets);
    for (const std::string& text : sheetTexts) {
        EXPECT_NE(text.find("日付"), std::string::npos) << text;
        EXPECT_NE(text.find("入金"), std::string::npos) << text;
    }
    EXPECT_NE(sheetTexts[0].find("小銭清算貯金"), std::string::npos) << sheetTexts[0];
    out.write("chart.pdf",
              chartPicture(win.find<ChartView>("mctKozeni")->plot(), true).toStdString());
    EXPECT_NE(pdfSheets(out.path() / "chart.pdf").at(0).find("入金"), std::string::npos);

    printer.setOutputFileName(QString::fromStdString((out.path() / "stopped.pdf").string()));
    EXPECT_EQ(drawReport(printer, report, [](int, int) { return false; }), -1);

    // The preview's print button, on a machine without printers: the report
    // saved as a PDF file through the save dialog.
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().isEmpty());
    std::string offered;
    contextMenu(win.find("msgKozeni"), "印刷…", [&](QWidget* preview) {
        onNextWindow([&](QWidget* w) { answerSaveDialog(w, offered, out.path() / "printed.pdf"); });
        const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
        for (QAction* a : preview->findChildren<QAction*>()) {
            if (a->text() == print) {
                a->trigger();
                break;
            }
        }
        if (preview->isVisible()) preview->close();
    });
    EXPECT_EQ(offered, "小銭清算貯金_20260305.pdf");
    EXPECT_EQ(pdfSheets(out.path() / "printed.pdf").size(), static_cast<std::size_t>(sheets));
}

}  // namespace
}  // namespace zm::test
