// Reading the six ledgers at their limit through the typed data files,
// against reading and decoding the same bytes with iconv alone.
#include <benchmark/benchmark.h>

#include "benchdata.h"
#include "store/datafolder.h"
#include "store/everyhistoryfile.h"
#include "store/everyledgerfile.h"
#include "store/kozeniledgerfile.h"
#include "store/themeledgerfile.h"

namespace {

std::filesystem::path makeData() {
    const auto dir = zm::bench::freshFolder("zumeri-bench-read");
    zm::bench::writeLimitData(zm::DataFolder(dir));
    return dir;
}

const std::filesystem::path& data() {
    static const std::filesystem::path dir = makeData();
    return dir;
}

// The baseline: the same files read and turned into UTF-8, nothing parsed.
void BM_ReadAndDecodeWithIconv(benchmark::State& state) {
    const zm::DataFolder folder(data());
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = zm::bench::readAndDecodeWithIconv(folder, zm::bench::ledgerNames());
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ReadAndDecodeWithIconv)->Unit(benchmark::kMillisecond);

// The typed readers: every field checked, every sum checked.
void BM_ReadSixLedgers(benchmark::State& state) {
    const zm::DataFolder folder(data());
    std::size_t records = 0;
    for (auto _ : state) {
        records = zm::EveryLedgerFile(folder).read().records.size() +
                  zm::EveryHistoryFile(folder).read().records.size() +
                  zm::KozeniLedgerFile(folder).read().records.size();
        for (int t = 0; t < 3; ++t) records += zm::ThemeLedgerFile(folder, t).read().records.size();
    }
    state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(BM_ReadSixLedgers)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    data();  // made before anything is measured
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
