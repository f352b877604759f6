#include "history/historysources.h"

#include <algorithm>

#include "store/datafolder.h"
#include "store/everyhistoryfile.h"
#include "store/everyledgerfile.h"
#include "store/keptreads.h"
#include "store/kozeniledgerfile.h"
#include "store/themeledgerfile.h"
#include "ui/ledgertable.h"

namespace zm {

namespace {

template <class File>
std::shared_ptr<const std::vector<HistoryEntry>> entriesOf(const File& file,
                                                           const DataFolder& folder,
                                                           const LedgerMirror& mirror) {
    using Entries = std::vector<HistoryEntry>;
    const auto stamp = mirror.table ? folder.stamp(file.name()) : std::nullopt;
    if (stamp && mirror.folder->lastSeen(file.name()) == stamp) {
        // Kept as a read of the file would be: the next opening takes it again.
        if (auto kept = folder.kept().find<Entries>(file.name(), *stamp)) return kept;
        auto entries = std::make_shared<Entries>();
        entries->reserve(static_cast<std::size_t>(mirror.table->recordCount()));
        mirror.table->forEachDated(mirror.dateColumn, mirror.amountColumn,
                                   [&](std::int64_t day, Money amount) {
                                       entries->push_back({fromDayNumber(day), amount});
                                   });
        folder.kept().keep<Entries>(file.name(), *stamp, entries);
        return entries;
    }
    if (!folder.exists(file.name())) return std::make_shared<const std::vector<HistoryEntry>>();
    return file.readDatedKept();
}

}  // namespace

HistorySources::HistorySources(const DataFolder& folder, const LedgerMirrors& mirrors) {
    sources_[0] = {0, entriesOf(EveryLedgerFile(folder), folder, mirrors[0])};
    sources_[1] = {0, entriesOf(EveryHistoryFile(folder), folder, mirrors[1])};
    sources_[2] = {1, entriesOf(KozeniLedgerFile(folder), folder, mirrors[2])};
    for (std::size_t t = 0; t < 3; ++t) {
        sources_[3 + t] = {2 + static_cast<int>(t),
                           entriesOf(ThemeLedgerFile(folder, static_cast<int>(t)), folder,
                                     mirrors[3 + t])};
    }
}

Date findHistoryStart(const HistorySources& sources, Date today) {
    const auto& all = sources.sources();
    Date start = all[0].entries->empty() ? today : all[0].entries->front().date;
    for (std::size_t i = 1; i < all.size(); ++i) {
        if (!all[i].entries->empty()) start = std::min(start, all[i].entries->front().date);
    }
    return std::clamp(start, addDays(today, -kMaxHistoryDays), today);
}

}  // namespace zm
