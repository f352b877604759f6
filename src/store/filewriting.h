#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/fileerror.h"

namespace zm {

// The two ways a data file is written. Both refuse a file without write
// permission (FileError) rather than replace it, write through a symbolic
// link to its target, and name the file `name` in their FileErrors.

// Appends `bytes`, whole lines in the code page each ended by CR LF, to the
// file at `path` in one write, creating the file. A last line without its
// line end gets one first. A failed append cuts the file back to its old
// length before it reports: half a record would make the whole file unreadable.
struct Appended {
    std::size_t oldSize = 0;
    bool existed = true;
    bool lineEndAdded = false;  // CR LF went first
};
Appended appendCuttingBack(const std::filesystem::path& path, std::string bytes,
                           std::string_view name);

// Takes an append back the way a failed one is cut back: the file at `path`
// is cut to `oldSize` (removed when `remove`, the append having made it), but
// only once it is found to be `oldSize + added.size()` bytes long and to end
// with exactly `added`; otherwise it is left as it is and an OutsideChange
// names `name`.
void cutBack(const std::filesystem::path& path, std::size_t oldSize, std::string_view added,
             std::string_view name, bool remove);

// What a whole write does with a symbolic link at its path: a data file is
// written through to its target; a file written out of the program (a CSV, a
// picture) replaces the link itself, so that it never reaches the file the
// link points to.
enum class AtLink { WriteThrough, Replace };

// Writes `bytes` as the whole new contents of the file at `path`: a
// temporary file ".<name>.XXXXXX.tmp" beside it, flushed, renamed over the
// old one with its permissions, then the folder flushed. A failure leaves
// the old file whole.
void writeWhole(const std::filesystem::path& path, std::string_view bytes, std::string_view name,
                AtLink link = AtLink::WriteThrough);

// One file of a set that is written all or none.
struct SetFile {
    std::filesystem::path path;
    std::string name;  // as FileErrors name it
    std::string bytes;
    std::optional<std::string> before;  // what it holds now; nullopt: there is none
};

// A write of a set stopped: the first failure, and the files that could not
// be given back what they held (empty when the set is as it was).
class SetWriteError : public FileError {
public:
    SetWriteError(const FileError& cause, std::vector<std::string> notBack)
        : FileError(cause), notBack_(std::move(notBack)) {}
    const std::vector<std::string>& notBack() const { return notBack_; }

private:
    std::vector<std::string> notBack_;
};

// Writes each file of the set whole, in order. When one fails, the files
// written before it get back what they held (or are removed when they did
// not exist), so that the set is the old one or the new one; then a
// SetWriteError says what failed.
void writeAllOrNone(const std::vector<SetFile>& set, AtLink link = AtLink::WriteThrough);

// True for the names of the temporary files writeWhole() makes of data files.
bool isTemporaryFileName(std::string_view fileName);

}  // namespace zm
