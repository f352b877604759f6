#pragma once

#include "store/datafolder.h"
#include "store/filenames.h"
#include "store/recordfile.h"
#include "store/themerecord.h"

namespace zm {

// "テーマN.txt": a theme's ledger; `theme` is 0, 1 or 2.
struct ThemeLedgerFile : RecordFile<ThemeRecord> {
    ThemeLedgerFile(const DataFolder& f, int theme) : RecordFile(f, files::kTheme[theme]) {}
};

}  // namespace zm
