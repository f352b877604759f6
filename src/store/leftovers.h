#pragma once

#include <filesystem>
#include <string_view>

namespace zm {

// Removes from `dir` what a write cut short by a crash left there: each entry
// of the kind `type` (a link is no file and no folder here) whose name
// `isLeftover` picks, a folder with all it holds. Returns how many went.
// Only while no other program uses the folder.
int removeLeftovers(const std::filesystem::path& dir, bool (*isLeftover)(std::string_view name),
                    std::filesystem::file_type type);

}  // namespace zm
