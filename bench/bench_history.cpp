// The history pages at the program's limit: 32,765 days after the first one,
// the 365-step, small-change and three theme ledgers full (32,766 records
// each, one a day) and a history of given-up runs. Each page is opened with
// its button in the real window (offscreen) and drawn once. Beside them, two
// baselines measured in the same run: reading and decoding the same six
// files with iconv, and a bare QTableView over a model of the same size.
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <QAbstractTableModel>
#include <QApplication>
#include <QPixmap>
#include <QTableView>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/mainform.h"
#include "benchdata.h"
#include "benchmain.h"
#include "benchwindow.h"
#include "core/datetime.h"
#include "qt/shell/mainwindow.h"
#include "qt/shell/qtshell.h"
#include "store/datafolder.h"
#include "store/everyhistoryfile.h"
#include "store/everyledgerfile.h"
#include "store/filenames.h"
#include "store/kozeniledgerfile.h"
#include "store/recordline.h"
#include "store/themeledgerfile.h"
#include "store/themerecord.h"
#include "store/timedrecord.h"

namespace {

using zm::bench::kFullLedger;

const zm::Date kToday{std::chrono::year{2026}, std::chrono::March, std::chrono::day{5}};
const zm::Date kFirst = zm::addDays(kToday, -(kFullLedger - 1));

std::filesystem::path makeData() {
    const auto dir = zm::bench::freshFolder("zumeri-bench-history");
    zm::DataFolder folder(dir);
    std::vector<zm::TimedRecord> every, kozeni, history;
    std::vector<zm::ThemeRecord> themes[3];
    const char* items[3] = {"少年マガジンを買ったつもり", "お風呂", "腕立て伏せしなかった"};
    for (int i = 0; i < kFullLedger; ++i) {
        const zm::Date d = zm::addDays(kFirst, i);
        every.push_back({d, std::chrono::seconds(9 * 3600), zm::Money::fromYen(i % 365 + 1)});
        kozeni.push_back({d, std::chrono::seconds(20 * 3600), zm::Money::fromYen(50 + i % 700)});
        for (int t = 0; t < 3; ++t) {
            themes[t].push_back({d, items[t], zm::Money::fromYen(10 * (t + 1) + i % 50)});
        }
        if (i % 365 == 364)
            history.push_back({d, std::chrono::seconds(0), zm::Money::fromYen(66795)});
    }
    zm::EveryLedgerFile(folder).rewrite(every);
    zm::KozeniLedgerFile(folder).rewrite(kozeni);
    zm::EveryHistoryFile(folder).rewrite(history);
    for (int t = 0; t < 3; ++t) {
        zm::ThemeLedgerFile(folder, t).rewrite(themes[t]);
        folder.rewrite(zm::files::kThemeName[t], {zm::RecordLine().str("テーマ")});
        folder.empty(zm::files::kItems[t]);
    }
    folder.rewrite(zm::files::kSettings, {zm::RecordLine().str("ヘルプツアー").integer(0)});
    folder.rewrite(zm::files::kEveryTarget, {zm::RecordLine().integer(365)});
    return dir;
}

const std::filesystem::path& dataDir() {
    static const std::filesystem::path dir = makeData();
    return dir;
}

// The real window over the data, started.
struct Program : zm::bench::BenchWindow {
    Program() : BenchWindow(dataDir(), kToday) {}
};

// From the press of the page button to the page drawn, opened again and
// again; the step page is shown between the rounds, untimed.
void openPage(benchmark::State& state, void (zm::MainForm::*press)(), int rows) {
    Program p;
    for (auto _ : state) {
        state.PauseTiming();
        p.form.cmdCyokin1_Click();
        QApplication::processEvents();
        state.ResumeTiming();
        (p.form.*press)();
        QApplication::processEvents();
        QPixmap frame = p.window.grab();
        benchmark::DoNotOptimize(frame);
    }
    state.counters["rows"] = rows;
}

// The first opening after start-up: nothing of the page laid out or drawn yet.
void openFirst(benchmark::State& state, void (zm::MainForm::*press)()) {
    for (auto _ : state) {
        state.PauseTiming();
        auto p = std::make_unique<Program>();
        state.ResumeTiming();
        (p->form.*press)();
        QApplication::processEvents();
        QPixmap frame = p->window.grab();
        benchmark::DoNotOptimize(frame);
        state.PauseTiming();
        p.reset();
        state.ResumeTiming();
    }
}

void BM_FirstOpenDayHistory(benchmark::State& state) {
    openFirst(state, &zm::MainForm::cmdDay_Click);
}
BENCHMARK(BM_FirstOpenDayHistory)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_FirstOpenMonthHistory(benchmark::State& state) {
    openFirst(state, &zm::MainForm::cmdMonth_Click);
}
BENCHMARK(BM_FirstOpenMonthHistory)->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_OpenDayHistory(benchmark::State& state) {
    openPage(state, &zm::MainForm::cmdDay_Click, kFullLedger);
}
BENCHMARK(BM_OpenDayHistory)->Unit(benchmark::kMillisecond);

void BM_OpenMonthHistory(benchmark::State& state) {
    openPage(state, &zm::MainForm::cmdMonth_Click, zm::monthsBetween(kFirst, kToday) + 1);
}
BENCHMARK(BM_OpenMonthHistory)->Unit(benchmark::kMillisecond);

// The parts of an opening without the window: the six files read, and
// the daily page built from them.
void BM_ReadSources(benchmark::State& state) {
    const zm::DataFolder folder(dataDir());
    for (auto _ : state) {
        const zm::HistorySources sources(folder);
        benchmark::DoNotOptimize(sources.sources()[0].entries->data());
    }
}
BENCHMARK(BM_ReadSources)->Unit(benchmark::kMillisecond);

void BM_BuildDayHistory(benchmark::State& state) {
    const zm::DataFolder folder(dataDir());
    zm::bench::AlwaysOk dialogs;
    zm::QtShell shell;
    zm::FixedClock clock{kToday, std::chrono::seconds(12 * 3600)};
    zm::DayHistory page({folder, dialogs, shell, clock});
    for (auto _ : state) {
        page.open({"テーマ", "テーマ", "テーマ"});
        benchmark::DoNotOptimize(page.msgDayList.recordCount());
    }
}
BENCHMARK(BM_BuildDayHistory)->Unit(benchmark::kMillisecond);

// A month picked in the list of the open daily page.
void BM_PickMonth(benchmark::State& state) {
    Program p;
    p.form.cmdDay_Click();
    p.form.dayHistory.lstDay.setListIndex(0);
    for (auto _ : state) {
        p.form.lstDay_Click();
        QApplication::processEvents();
        QPixmap frame = p.window.grab();
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(BM_PickMonth)->Unit(benchmark::kMillisecond);

// Baseline: the six files' bytes read and decoded by iconv from CP932 to
// UTF-8, nothing parsed.
std::string iconvDecode(const std::string& in) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    std::string out(in.size() * 3 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    out.resize(static_cast<std::size_t>(outPtr - out.data()));
    return out;
}

void BM_Baseline_ReadAndDecodeSixFilesWithIconv(benchmark::State& state) {
    const zm::DataFolder folder(dataDir());
    const std::string_view names[] = {zm::files::kEvery,    zm::files::kEveryHistory,
                                      zm::files::kKozeni,   zm::files::kTheme[0],
                                      zm::files::kTheme[1], zm::files::kTheme[2]};
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (std::string_view name : names) {
            std::ifstream in(folder.resolve(name), std::ios::binary);
            std::stringstream raw;
            raw << in.rdbuf();
            bytes += iconvDecode(raw.str()).size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_Baseline_ReadAndDecodeSixFilesWithIconv)->Unit(benchmark::kMillisecond);

// Baseline: a bare QTableView over a model of the daily table's size, each
// cell a number made on request, reset and drawn.
class NumbersModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& = {}) const override { return rows; }
    int columnCount(const QModelIndex& = {}) const override { return 9; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole) return {};
        return QString::number(index.row() * 9 + index.column());
    }
    void resize(int n) {
        beginResetModel();
        rows = n;
        endResetModel();
    }
    int rows = 0;
};

void BM_Baseline_BareTableView(benchmark::State& state) {
    NumbersModel model;
    QTableView view;
    view.setModel(&model);
    view.resize(700, 600);
    view.show();
    QApplication::processEvents();
    for (auto _ : state) {
        model.resize(0);
        model.resize(kFullLedger);
        view.scrollToBottom();
        QApplication::processEvents();
        QPixmap frame = view.grab();
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(BM_Baseline_BareTableView)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return zm::bench::runWithWidgets(argc, argv);
}
