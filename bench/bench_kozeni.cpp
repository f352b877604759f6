// A small-change ledger at its limit of 32,766 records: loading it, drawing
// its chart the first time, and deleting one record (file rewritten and
// table reloaded).
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPixmap>
#include <chrono>
#include <filesystem>
#include <memory>

#include "app/mainform.h"
#include "benchdata.h"
#include "benchmain.h"
#include "core/datetime.h"
#include "qt/charts/chartview.h"
#include "qt/export/dataexport.h"
#include "qt/pages/pageviews.h"
#include "qt/shell/qtshell.h"
#include "smallchange/smallchangepage.h"
#include "store/datafolder.h"
#include "store/filenames.h"

namespace {

std::filesystem::path makeData() {
    const auto dir = zm::bench::freshFolder("zumeri-bench-kozeni");
    zm::bench::writeFullLedger(zm::DataFolder(dir), zm::files::kKozeni, "20:15:32",
                               [](int i) { return 50 + (i * 7919) % 1950; });
    return dir;
}

struct Fixture {
    std::filesystem::path dir = makeData();
    zm::DataFolder folder{dir};
    zm::bench::AlwaysOk dialogs;
    zm::QtShell shell;
    zm::SystemClock clock;
    zm::SmallChangePage page{{folder, dialogs, shell, clock}, [] { return false; }};

    // Table, figures, chart data and notice, as start-up builds them.
    void load() { page.reload(); }
};

// File read, table filled, the five figures computed.
void BM_LoadKozeniLedger(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        f.load();
        benchmark::DoNotOptimize(f.page.kozeniTotal());
    }
    state.counters["records"] = f.page.msgKozeni.recordCount();
}
BENCHMARK(BM_LoadKozeniLedger)->Unit(benchmark::kMillisecond);

// A new chart of 1000 x 400 pixels, the page reloaded into it and rendered once.
void BM_KozeniChartFirstRender(benchmark::State& state) {
    Fixture f;
    f.load();
    for (auto _ : state) {
        auto view = std::make_unique<zm::ChartView>(f.page.mctKozeni);
        view->resize(1000, 400);
        f.page.reload();
        QPixmap frame = view->grab();
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(BM_KozeniChartFirstRender)->Unit(benchmark::kMillisecond);

// Reloading the page with its chart on screen.
void BM_KozeniChartRedraw(benchmark::State& state) {
    Fixture f;
    f.load();
    zm::ChartView view(f.page.mctKozeni);
    view.resize(1000, 400);
    QPixmap first = view.grab();
    for (auto _ : state) {
        f.page.reload();
        QPixmap frame = view.grab();
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(BM_KozeniChartRedraw)->Unit(benchmark::kMillisecond);

// A double-click on the first row: question, rewrite, reload. Each round
// removes one more record; the few hundred fewer do not matter at this size.
void BM_DeleteKozeniRecord(benchmark::State& state) {
    Fixture f;
    f.load();
    for (auto _ : state) {
        f.page.msgKozeni.setCurrentRow(1);
        f.page.msgKozeni_DblClick();
    }
    state.counters["records_left"] = f.page.msgKozeni.recordCount();
}
BENCHMARK(BM_DeleteKozeniRecord)->Unit(benchmark::kMillisecond);

// The same with the page's grid and chart bound, as in the window.
void BM_DeleteKozeniRecordInPage(benchmark::State& state) {
    Fixture f;
    zm::MainForm form{{f.folder, f.dialogs, f.shell, f.clock}};
    zm::DataExport out{form};
    const zm::PageContext context{[](const std::function<void()>& h) { h(); }, out};
    std::unique_ptr<QWidget> view(zm::makeSmallChangePageView(f.page, context));
    view->resize(1180, 640);
    f.load();
    QPixmap first = view->grab();
    for (auto _ : state) {
        f.page.msgKozeni.setCurrentRow(1);
        f.page.msgKozeni_DblClick();
        QApplication::processEvents();
    }
    state.counters["records_left"] = f.page.msgKozeni.recordCount();
}
BENCHMARK(BM_DeleteKozeniRecordInPage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return zm::bench::runWithWidgets(argc, argv);
}
