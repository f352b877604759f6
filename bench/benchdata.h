#pragma once

#include <iconv.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/money.h"
#include "store/datafolder.h"
#include "store/filenames.h"
#include "store/recordline.h"

namespace zm::bench {

// The most records a ledger holds: positions are 16-bit.
inline constexpr int kFullLedger = 32766;

// A fresh folder under the temporary directory.
inline std::filesystem::path freshFolder(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// A full date-time-amount ledger (or one of `count` records), one record a day
// from 1980 on; the amount of record i (1-based) is amountOf(i).
inline void writeFullLedger(const DataFolder& folder, std::string_view name, const char* time,
                            const std::function<std::int64_t(int)>& amountOf,
                            int count = kFullLedger) {
    std::vector<RecordLine> lines;
    lines.reserve(static_cast<std::size_t>(count));
    const Date first{std::chrono::year{1980}, std::chrono::January, std::chrono::day{1}};
    for (int i = 1; i <= count; ++i) {
        lines.push_back(RecordLine()
                            .str(dateText(addDays(first, i - 1)))
                            .str(time)
                            .money(Money::fromYen(amountOf(i))));
    }
    folder.rewrite(name, lines);
}

// A full theme ledger: one record a day from 1980 on, against `items`
// distinct item names in turn.
inline void writeThemeLedger(const DataFolder& folder, int theme, int items) {
    std::vector<RecordLine> lines;
    lines.reserve(kFullLedger);
    const Date first{std::chrono::year{1980}, std::chrono::January, std::chrono::day{1}};
    for (int i = 1; i <= kFullLedger; ++i) {
        lines.push_back(RecordLine()
                            .str(dateText(addDays(first, i - 1)))
                            .str("お風呂を我慢した" + std::to_string(i % items))
                            .money(Money::fromYen(30 + i % 700)));
    }
    folder.rewrite(files::kTheme[theme], lines);
}

// A theme's item list: `items` names, the ones the theme ledger uses.
inline void writeItemList(const DataFolder& folder, int theme, int items) {
    std::vector<RecordLine> lines;
    for (int i = 0; i < items; ++i) {
        lines.push_back(RecordLine()
                            .str("お風呂を我慢した" + std::to_string(i))
                            .money(Money::fromYen(30 + i % 700)));
    }
    folder.rewrite(files::kItems[theme], lines);
}

// The six ledgers that start-up reads, each at the limit.
inline std::vector<std::string_view> ledgerNames() {
    return {files::kEvery,    files::kEveryHistory, files::kKozeni,
            files::kTheme[0], files::kTheme[1],     files::kTheme[2]};
}

// The 365-step ledger of `count` records: 1, 2, 3, ... yen.
inline void writeStepLedger(const DataFolder& folder, int count) {
    writeFullLedger(
        folder, files::kEvery, "09:26:01", [](int i) { return i; }, count);
}

// A data folder at the limits: the five ledgers and the 365-step history full
// (the step deposits 1, 2, 3, ... yen, so that the running total has nine
// digits), 300 items per theme, and the small files of an installation.
inline void writeLimitData(const DataFolder& folder) {
    const auto amount = [](int i) { return 50 + (i * 7919) % 1950; };
    writeStepLedger(folder, kFullLedger);
    writeFullLedger(folder, files::kEveryHistory, "00:00:00", amount);
    writeFullLedger(folder, files::kKozeni, "20:15:32", amount);
    const char* names[3] = {"～つもり貯金", "家庭賃金制", "罰金徴収制"};
    for (int t = 0; t < 3; ++t) {
        writeThemeLedger(folder, t, 300);
        writeItemList(folder, t, 300);
        folder.rewrite(files::kThemeName[t], {RecordLine().str(names[t])});
    }
    folder.rewrite(files::kSettings, {RecordLine().str("ヘルプツアー").integer(0)});
    folder.rewrite(files::kEveryTarget, {RecordLine().integer(365)});
    folder.empty(files::kGoals);
}

// The baseline of reading: the named files read and turned into UTF-8 with
// iconv, nothing parsed. Returns the bytes of UTF-8.
inline std::size_t readAndDecodeWithIconv(const DataFolder& folder,
                                          const std::vector<std::string_view>& names) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    std::size_t bytes = 0;
    for (std::string_view name : names) {
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
        bytes += output.size() - outLeft;
    }
    iconv_close(cd);
    return bytes;
}

}  // namespace zm::bench
