// Reading the six ledgers at their limit through the typed data files,
// against reading and decoding the same bytes with iconv alone.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <fstream>
#include <sstream>

#include "benchdata.h"
#include "store/datafiles.h"
#include "store/datafolder.h"

namespace {

std::filesystem::path makeData() {
    const auto dir = zm::bench::freshFolder("zumeri-bench-read");
    const zm::DataFolder folder(dir);
    const auto amount = [](int i) { return 50 + (i * 7919) % 1950; };
    zm::bench::writeFullLedger(folder, zm::files::kEvery, "09:26:01", amount);
    zm::bench::writeFullLedger(folder, zm::files::kEveryHistory, "00:00:00", amount);
    zm::bench::writeFullLedger(folder, zm::files::kKozeni, "20:15:32", amount);
    for (int t = 0; t < 3; ++t) zm::bench::writeThemeLedger(folder, t, 300);
    return dir;
}

const std::filesystem::path& data() {
    static const std::filesystem::path dir = makeData();
    return dir;
}

std::vector<std::string_view> ledgerNames() {
    return {zm::files::kEvery,    zm::files::kEveryHistory, zm::files::kKozeni,
            zm::files::kTheme[0], zm::files::kTheme[1],     zm::files::kTheme[2]};
}

// The baseline: the same files read and turned into UTF-8, nothing parsed.
void BM_ReadAndDecodeWithIconv(benchmark::State& state) {
    const zm::DataFolder folder(data());
    iconv_t cd = iconv_open("UTF-8", "CP932");
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (std::string_view name : ledgerNames()) {
            std::ifstream in(folder.resolve(name), std::ios::binary);
            std::stringstream raw;
            raw << in.rdbuf();
            std::string input = raw.str();
            std::string output(input.size() * 3 / 2 + 16, '\0');
            char* inp = input.data();
            char* outp = output.data();
            std::size_t inLeft = input.size();
            std::size_t outLeft = output.size();
            iconv(cd, &inp, &inLeft, &outp, &outLeft);
            output.resize(output.size() - outLeft);
            bytes += output.size();
            benchmark::DoNotOptimize(output.data());
        }
    }
    iconv_close(cd);
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
