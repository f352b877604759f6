#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "core/datetime.h"

namespace zm {

class DataFolder;

// The folder inside the data folder that holds the copies of the data files.
inline constexpr std::string_view kBackupFolder = "バックアップ";

// Copies the named data files that exist into a new folder
// バックアップ/<copyName>/ inside the data folder, each copy flushed to disk.
// Returns the new folder. A copy that cannot be made whole is a FileError
// naming the copy folder and the reason; what was copied of it is removed,
// so a copy folder is either whole or absent. An existing folder of that
// name is never overwritten.
std::filesystem::path copyDataFiles(const DataFolder& folder, std::string_view copyName,
                                    const std::vector<std::string_view>& names);

// How many daily copies are kept.
inline constexpr int kDailyCopies = 14;

// The day's copy: the first start of a day copies every data file into
// バックアップ/YYYYMMDD/; of the folders named so (exactly eight digits) the
// `keep` newest stay, today's always. The new start's copies
// (YYYYMMDD-HHMMSS) and anything else there are never removed. Returns true
// when today's copy was made by this call. A copy or a removal that fails is
// a FileError naming the folder.
bool makeDailyCopy(const DataFolder& folder, Date today, int keep = kDailyCopies);

}  // namespace zm
