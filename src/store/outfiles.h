#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zm {

class DataFolder;

// Files written out of the data (CSV, pictures, PDF). They never reach a data
// file: nothing is written into the data folder or a folder inside it, and a
// symbolic link is refused, since writing through it would replace the file
// it points to. The FileErrors name the file as `shown`: the path as the user
// gave it.

// Writes one file whole.
void writeOutFile(const DataFolder& data, const std::filesystem::path& path,
                  std::string_view bytes, const std::string& shown);

// Writes the named files into `dir` (made when missing), all or none: every
// file is checked before the first is written, and when one fails the files
// already written get back what they held, so that the folder holds the old
// set or the new set. The FileErrors name the file by its name, or `dir`.
void writeOutFiles(const DataFolder& data, const std::filesystem::path& dir,
                   const std::vector<std::pair<std::string, std::string>>& files);

}  // namespace zm
