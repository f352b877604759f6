#pragma once

#include "store/datafolder.h"
#include "store/filenames.h"
#include "store/recordfile.h"
#include "store/timedrecord.h"

namespace zm {

// "３６５歩のマーチ.TXT": the 365-step ledger.
struct EveryLedgerFile : RecordFile<TimedRecord> {
    explicit EveryLedgerFile(const DataFolder& f) : RecordFile(f, files::kEvery) {}
};

}  // namespace zm
