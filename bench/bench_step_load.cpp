// Start-up with ten years and more of 365-step deposits: the ledger read into
// its table and the page drawn in the real window (offscreen).
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPixmap>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "app/mainform.h"
#include "benchdata.h"
#include "benchmain.h"
#include "core/datetime.h"
#include "qt/shell/mainwindow.h"
#include "qt/shell/qtdialogs.h"
#include "qt/shell/qtshell.h"
#include "store/datafolder.h"
#include "store/filenames.h"
#include "store/recordline.h"

namespace {

std::filesystem::path makeData() {
    const auto dir = zm::bench::freshFolder("zumeri-bench-step");
    zm::DataFolder folder(dir);
    zm::bench::writeFullLedger(folder, zm::files::kEvery, "09:26:01", [](int i) { return i; });
    folder.rewrite(zm::files::kSettings, {zm::RecordLine().str("ヘルプツアー").integer(0)});
    folder.rewrite(zm::files::kEveryTarget, {zm::RecordLine().integer(365)});
    folder.empty(zm::files::kEveryHistory);
    for (int k = 0; k < 3; ++k) {
        folder.rewrite(zm::files::kThemeName[k], {zm::RecordLine().str("テーマ")});
        folder.empty(zm::files::kItems[k]);
    }
    return dir;
}

// The page object alone: file read, table filled, chart data, plan computed.
void BM_LoadEveryLedger(benchmark::State& state) {
    const auto dir = makeData();
    zm::DataFolder folder(dir);
    zm::QtDialogs dialogs;
    zm::QtShell shell;
    zm::SystemClock clock;
    for (auto _ : state) {
        zm::MainForm form({folder, dialogs, shell, clock});
        form.every.load();
        benchmark::DoNotOptimize(form.every.cumulative());
    }
}
BENCHMARK(BM_LoadEveryLedger)->Unit(benchmark::kMillisecond);

// The whole start-up through the real window, until its first frame is drawn.
void BM_StartUpAndShow(benchmark::State& state) {
    const auto dir = makeData();
    zm::DataFolder folder(dir);
    zm::QtDialogs dialogs;
    zm::SystemClock clock;
    for (auto _ : state) {
        zm::QtShell shell;
        zm::MainForm form({folder, dialogs, shell, clock});
        zm::MainWindow window(form, dialogs, shell);
        window.run([&form] { form.Form_Load(); });
        QPixmap frame = window.grab();
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(BM_StartUpAndShow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return zm::bench::runWithWidgets(argc, argv);
}
