#pragma once

#include "store/datafolder.h"
#include "store/filenames.h"
#include "store/recordfile.h"
#include "store/timedrecord.h"

namespace zm {

// "小銭清算.txt": the small-change ledger.
struct KozeniLedgerFile : RecordFile<TimedRecord> {
    explicit KozeniLedgerFile(const DataFolder& f) : RecordFile(f, files::kKozeni) {}
};

}  // namespace zm
