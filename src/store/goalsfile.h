#pragma once

#include "store/datafolder.h"
#include "store/filenames.h"
#include "store/goalrecord.h"
#include "store/recordfile.h"

namespace zm {

// "貯金目標.txt": the savings goals.
struct GoalsFile : RecordFile<GoalRecord> {
    explicit GoalsFile(const DataFolder& f) : RecordFile(f, files::kGoals) {}
};

}  // namespace zm
