#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

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

}  // namespace zm
