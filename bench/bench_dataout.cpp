// Taking the data out at the program's limits, each beside a baseline of the
// same run:
// - the CSV file of a full ledger (32,766 records), made from the page's
//   table and written whole; beside it, the store's rewrite of the same
//   ledger's data file;
// - the copy of the full daily history (32,766 days) to the clipboard, text
//   and HTML; beside it, the shown texts of every cell, as the grid makes them;
// - the PDF of the monthly history at the limit (1,077 months) through the
//   page's report, chart included; beside it, the same cells' texts drawn into
//   a PDF of the same sheets with no layout.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <filesystem>

#include "app/mainform.h"
#include "benchdata.h"
#include "benchmain.h"
#include "benchwindow.h"
#include "qt/export/pageprint.h"
#include "qt/export/reportpainter.h"
#include "qt/export/tableactions.h"
#include "qt/shell/mainwindow.h"
#include "qt/shell/qtshell.h"
#include "step/steppage.h"
#include "store/datafolder.h"
#include "store/everyledgerfile.h"
#include "ui/tableexport.h"

namespace {

using zm::bench::kFullLedger;

// One record a day from 1980 on: the last day of the limit is today.
const zm::Date kToday = zm::addDays(
    zm::Date{std::chrono::year{1980}, std::chrono::January, std::chrono::day{1}}, kFullLedger - 1);

const std::filesystem::path& dataDir() {
    static const std::filesystem::path dir = [] {
        const auto d = zm::bench::freshFolder("zumeri-bench-dataout");
        zm::bench::writeLimitData(zm::DataFolder(d));
        return d;
    }();
    return dir;
}

// The real window over the data, started once and shown.
struct Program : zm::bench::BenchWindow {
    Program() : BenchWindow(dataDir(), kToday) {
        window.resize(1280, 800);
        window.show();
        QApplication::processEvents();
    }
    static Program& get() {
        static Program p;
        return p;
    }
};

const std::filesystem::path& outDir() {
    static const std::filesystem::path dir = zm::bench::freshFolder("zumeri-bench-dataout-out");
    return dir;
}

void BM_CsvOfFullLedger(benchmark::State& state) {
    Program& p = Program::get();
    const auto path = outDir() / "ledger.csv";
    std::size_t bytes = 0;
    for (auto _ : state) {
        const zm::OutTable table = zm::outTable(p.form.every.msgEvery, {}, "ledger");
        const std::string csv = zm::toCsv(table);
        bytes = csv.size();
        benchmark::DoNotOptimize(p.form.saveOutFile(path, csv));
    }
    state.counters["rows"] = p.form.every.msgEvery.recordCount();
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CsvOfFullLedger)->Unit(benchmark::kMillisecond)->MinTime(1);

void BM_Baseline_RewriteFullLedger(benchmark::State& state) {
    const zm::DataFolder folder(outDir());
    const auto records = zm::EveryLedgerFile(zm::DataFolder(dataDir())).read().records;
    for (auto _ : state) zm::EveryLedgerFile(folder).rewrite(records);
}
BENCHMARK(BM_Baseline_RewriteFullLedger)->Unit(benchmark::kMillisecond)->MinTime(1);

void BM_CopyOfFullDailyHistory(benchmark::State& state) {
    Program& p = Program::get();
    p.form.cmdDay_Click();
    QApplication::processEvents();
    const zm::HistoryTable& days = p.form.dayHistory.msgDayList;
    for (auto _ : state) zm::copyTable(days.out({}, "days"));
    state.counters["rows"] = days.recordCount();
}
BENCHMARK(BM_CopyOfFullDailyHistory)->Unit(benchmark::kMillisecond)->MinTime(1);

void BM_Baseline_ShownTextsOfFullDailyHistory(benchmark::State& state) {
    Program& p = Program::get();
    const zm::HistoryTable& days = p.form.dayHistory.msgDayList;
    for (auto _ : state) {
        std::size_t size = 0;
        for (int r = 1; r <= days.recordCount(); ++r) {
            for (int c = 0; c < zm::HistoryTable::kColumns; ++c) size += days.text(r, c).size();
        }
        benchmark::DoNotOptimize(size);
    }
}
BENCHMARK(BM_Baseline_ShownTextsOfFullDailyHistory)->Unit(benchmark::kMillisecond)->MinTime(1);

// A PDF printer writing to the output folder.
struct PdfPrinter : QPrinter {
    explicit PdfPrinter(const char* name) : QPrinter(QPrinter::HighResolution) {
        setOutputFormat(QPrinter::PdfFormat);
        setPageSize(QPageSize(QPageSize::A4));
        setOutputFileName(QString::fromStdString((outDir() / name).string()));
    }
};

void BM_PdfOfMonthlyHistory(benchmark::State& state) {
    Program& p = Program::get();
    p.form.cmdMonth_Click();
    QApplication::processEvents();
    QWidget* grid = p.window.findChild<QWidget*>("msgMonthList");
    int sheets = 0;
    for (auto _ : state) {
        const zm::Report report = zm::reportOf(*zm::pageOutOf(grid), "2069年09月15日");
        PdfPrinter printer("month.pdf");
        sheets = zm::drawReport(printer, report, [](int, int) {
            QApplication::processEvents();
            return true;
        });
    }
    state.counters["rows"] = p.form.monthHistory.msgMonthList.recordCount();
    state.counters["sheets"] = sheets;
}
BENCHMARK(BM_PdfOfMonthlyHistory)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Baseline_PdfOfTheSameTexts(benchmark::State& state) {
    Program& p = Program::get();
    const zm::HistoryTable& months = p.form.monthHistory.msgMonthList;
    for (auto _ : state) {
        PdfPrinter printer("texts.pdf");
        QPainter painter(&printer);
        const int rowHeight = painter.fontMetrics().height();
        const int width = printer.width() / zm::HistoryTable::kColumns;
        int y = 0;
        for (int r = 0; r <= months.recordCount(); ++r) {
            if (y + rowHeight > printer.height()) {
                printer.newPage();
                y = 0;
            }
            for (int c = 0; c < zm::HistoryTable::kColumns; ++c) {
                painter.drawText(QRect(c * width, y, width, rowHeight), Qt::AlignRight,
                                 QString::fromStdString(months.text(r, c)));
            }
            y += rowHeight;
        }
    }
}
BENCHMARK(BM_Baseline_PdfOfTheSameTexts)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    return zm::bench::runWithWidgets(argc, argv);
}
