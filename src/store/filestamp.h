#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

struct stat;

namespace zm {

// What a file is on disk: its device, inode, size, and the times of its last
// change of contents and of any change (which no one can set back). The
// program is the only writer of its folder, and each of its writes changes
// the size (an append) or the inode (a rewrite), so that a read stays good
// while the stamp stays the same.
struct FileStamp {
    std::uint64_t device = 0, inode = 0;
    std::int64_t size = 0;
    std::int64_t modified[2] = {}, changed[2] = {};  // seconds, nanoseconds
    bool operator==(const FileStamp&) const = default;

    // The stamp of the file at `path`, links followed; nullopt when there is none.
    static std::optional<FileStamp> of(const std::filesystem::path& path);
    static FileStamp of(const struct ::stat& st);
};

}  // namespace zm
