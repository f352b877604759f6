#pragma once

#include "store/datafolder.h"
#include "store/filenames.h"
#include "store/itemrecord.h"
#include "store/recordfile.h"

namespace zm {

// "項目N.txt": a theme's list of items; `theme` is 0, 1 or 2.
struct ItemListFile : RecordFile<ItemRecord> {
    ItemListFile(const DataFolder& f, int theme) : RecordFile(f, files::kItems[theme]) {}
};

}  // namespace zm
