#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zm {

// The two ways a data file is written. Both refuse a file without write
// permission (FileError) rather than replace it, write through a symbolic
// link to its target, and name the file `name` in their FileErrors.

// Appends `bytes`, whole lines in the code page each ended by CR LF, to the
// file at `path` in one write, creating the file. A last line without its
// line end gets one first. A failed append cuts the file back to its old
// length before it reports: half a record would make the whole file unreadable.
void appendCuttingBack(const std::filesystem::path& path, std::string bytes, std::string_view name);

// Writes `bytes` as the whole new contents of the file at `path`: a
// temporary file ".<name>.XXXXXX.tmp" beside it, flushed, renamed over the
// old one with its permissions, then the folder flushed. A failure leaves
// the old file whole.
void writeWhole(const std::filesystem::path& path, std::string_view bytes, std::string_view name);

// True for the names of the temporary files writeWhole() makes of data files.
bool isTemporaryFileName(std::string_view fileName);

}  // namespace zm
