#include "history/historysources.h"

#include <algorithm>

#include "store/datafolder.h"
#include "store/everyhistoryfile.h"
#include "store/everyledgerfile.h"
#include "store/kozeniledgerfile.h"
#include "store/themeledgerfile.h"

namespace zm {

namespace {

template <class File>
std::shared_ptr<const std::vector<HistoryEntry>> entriesOf(const File& file,
                                                           const DataFolder& folder) {
    if (!folder.exists(file.name())) return std::make_shared<const std::vector<HistoryEntry>>();
    return file.readDatedKept();
}

}  // namespace

HistorySources::HistorySources(const DataFolder& folder) {
    sources_[0] = {0, entriesOf(EveryLedgerFile(folder), folder)};
    sources_[1] = {0, entriesOf(EveryHistoryFile(folder), folder)};
    sources_[2] = {1, entriesOf(KozeniLedgerFile(folder), folder)};
    for (int t = 0; t < 3; ++t) {
        sources_[static_cast<std::size_t>(3 + t)] = {2 + t,
                                                     entriesOf(ThemeLedgerFile(folder, t), folder)};
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
