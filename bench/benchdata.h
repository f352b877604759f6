#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/money.h"
#include "store/datafolder.h"

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

// A full date-time-amount ledger, one record a day from 1980 on; the amount of
// record i (1-based) is amountOf(i).
inline void writeFullLedger(const DataFolder& folder, std::string_view name, const char* time,
                            const std::function<std::int64_t(int)>& amountOf) {
    std::vector<RecordLine> lines;
    lines.reserve(kFullLedger);
    const Date first{std::chrono::year{1980}, std::chrono::January, std::chrono::day{1}};
    for (int i = 1; i <= kFullLedger; ++i) {
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

}  // namespace zm::bench
