// The analysis page over five full ledgers (32,766 records each, a few
// hundred distinct items per theme), beside what reading and decoding the
// same files costs alone.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPixmap>
#include <filesystem>
#include <vector>

#include "app/mainform.h"
#include "benchdata.h"
#include "benchmain.h"
#include "core/datetime.h"
#include "history/analysis.h"
#include "qt/shell/mainwindow.h"
#include "qt/shell/qtdialogs.h"
#include "qt/shell/qtshell.h"
#include "store/datafolder.h"
#include "store/filenames.h"
#include "store/recordline.h"
#include "store/themeledgerfile.h"
#include "store/themerecord.h"

namespace {

constexpr int kItemsPerTheme = 300;

std::filesystem::path makeData() {
    const auto dir = zm::bench::freshFolder("zumeri-bench-analysis");
    zm::DataFolder folder(dir);
    zm::bench::writeFullLedger(folder, zm::files::kEvery, "09:26:01",
                               [](int i) { return 1 + i % 400; });
    zm::bench::writeFullLedger(folder, zm::files::kKozeni, "20:15:32",
                               [](int i) { return 50 + (i * 7919) % 1950; });
    const zm::Date first{std::chrono::year{1980}, std::chrono::January, std::chrono::day{1}};
    for (int t = 0; t < 3; ++t) {
        std::vector<zm::ThemeRecord> records;
        records.reserve(zm::bench::kFullLedger);
        for (int i = 1; i <= zm::bench::kFullLedger; ++i) {
            const int item = (i * 7919 + t) % kItemsPerTheme;
            records.push_back({zm::addDays(first, i - 1), "つもり項目その" + std::to_string(item),
                               zm::Money::fromYen(10 + item * 3)});
        }
        zm::ThemeLedgerFile(folder, t).rewrite(records);
        folder.rewrite(zm::files::kThemeName[t], {zm::RecordLine().str("つもり貯金")});
        folder.empty(zm::files::kItems[t]);
    }
    folder.rewrite(zm::files::kSettings, {zm::RecordLine().str("ヘルプツアー").integer(0)});
    folder.rewrite(zm::files::kEveryTarget, {zm::RecordLine().integer(365)});
    folder.empty(zm::files::kEveryHistory);
    return dir;
}

const std::filesystem::path& data() {
    static const std::filesystem::path dir = makeData();
    return dir;
}

// Baseline: the five ledgers read and decoded from CP932 by the data folder, nothing else.
void BM_ReadAndDecodeFiveLedgers(benchmark::State& state) {
    zm::DataFolder folder(data());
    const std::string_view names[] = {zm::files::kEvery, zm::files::kKozeni, zm::files::kTheme[0],
                                      zm::files::kTheme[1], zm::files::kTheme[2]};
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (std::string_view name : names) bytes += folder.readText(name).size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ReadAndDecodeFiveLedgers)->Unit(benchmark::kMillisecond);

// The page object alone: files read and parsed once, rankings, counts, totals.
void BM_AnalysisRebuild(benchmark::State& state) {
    zm::DataFolder folder(data());
    zm::QtDialogs dialogs;
    zm::QtShell shell;
    zm::SystemClock clock;
    zm::AnalysisPage page({folder, dialogs, shell, clock});
    for (auto _ : state) {
        page.Rebuild({});
        benchmark::DoNotOptimize(page.msgJunTema.recordCount());
    }
    state.counters["overall_rows"] = page.msgJunTema.recordCount();
}
BENCHMARK(BM_AnalysisRebuild)->Unit(benchmark::kMillisecond);

// What the user waits for: the page button pressed on another page of the
// real window until the analysis page is drawn.
void BM_AnalysisOpenInWindow(benchmark::State& state) {
    zm::DataFolder folder(data());
    zm::QtDialogs dialogs;
    zm::SystemClock clock;
    zm::QtShell shell;
    zm::MainForm form({folder, dialogs, shell, clock});
    zm::MainWindow window(form, dialogs, shell);
    window.run([&form] { form.Form_Load(); });
    for (auto _ : state) {
        state.PauseTiming();
        window.run([&form] { form.cmdCyokin2_Click(); });
        QApplication::processEvents();
        state.ResumeTiming();
        window.run([&form] { form.cmdData_Sort_Click(); });
        QApplication::processEvents();
        QPixmap frame = window.grab();
        benchmark::DoNotOptimize(frame);
    }
    state.counters["overall_rows"] = form.analysis.msgJunTema.recordCount();
}
BENCHMARK(BM_AnalysisOpenInWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return zm::bench::runWithWidgets(argc, argv);
}
