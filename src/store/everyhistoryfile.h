#pragma once

#include "store/datafolder.h"
#include "store/filenames.h"
#include "store/recordfile.h"
#include "store/timedrecord.h"

namespace zm {

// "３６５歩履歴.txt": the totals of given-up runs, one line per give-up, no
// limit of its own.
struct EveryHistoryFile : RecordFile<TimedRecord> {
    explicit EveryHistoryFile(const DataFolder& f) : RecordFile(f, files::kEveryHistory, 0) {}
};

}  // namespace zm
