#pragma once

#include <array>
#include <memory>
#include <vector>

#include "core/datetime.h"
#include "core/money.h"
#include "store/datafolder.h"
#include "store/datedamount.h"

namespace zm {

// The savings kinds of the history tables, columns 2 to 6: the 365-step
// savings (with the totals of given-up runs), small change, themes 1 to 3.
inline constexpr int kHistoryKinds = 5;

// The most days a history spans after its first day: day numbers are 16-bit.
inline constexpr int kMaxHistoryDays = 32765;

// One deposit as the history sees it.
using HistoryEntry = DatedAmount;

class LedgerTable;

// A savings page's table of one of the six files, and the folder the page
// reads and writes the file through. While the file keeps the stamp that
// folder last saw, the table holds what the file holds: the history takes
// the dates and amounts from it instead of reading the file.
struct LedgerMirror {
    const DataFolder* folder = nullptr;
    const LedgerTable* table = nullptr;  // none: the file is read
    int dateColumn = 1;
    int amountColumn = 3;
};
using LedgerMirrors = std::array<LedgerMirror, 6>;  // in the order of the sources

// The six files the history pages read, each read whole once per build (or
// its last read taken again while the file is unchanged, see readKept): the
// 365-step ledger, its totals of given-up runs, the small-change ledger and
// the three theme ledgers, in this order. A missing file counts as empty (it
// is not created: these pages never write); a line that does not parse is a
// FileError naming the file and the line. A file a mirror holds as it is
// is not read.
class HistorySources {
public:
    struct Source {
        int kind = 0;  // 0 .. kHistoryKinds - 1
        // Shared with the folder's kept reads.
        std::shared_ptr<const std::vector<HistoryEntry>> entries;
    };

    explicit HistorySources(const DataFolder& folder, const LedgerMirrors& mirrors = {});
    const std::array<Source, 6>& sources() const { return sources_; }

private:
    std::array<Source, 6> sources_;
};

// The first day of the history: the date of the 365-step ledger's first
// record, or today when it has none; an earlier first record of another
// source moves it back (each file is in date order, oldest first). A first
// day after today (a clock set back) is today, and one more than
// kMaxHistoryDays before today is moved up to that reach.
Date findHistoryStart(const HistorySources& sources, Date today);

}  // namespace zm
