#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zm {

// What one write of the program did to a data file, kept small so that it can
// be taken back and made again: the bytes that changed, between a head and a
// tail that stayed as they were.
struct FileEdit {
    std::string name;           // the data file, as the folder names it
    bool appended = false;      // an append: `after` is what it added at the end
    bool existed = true;        // the file was there before
    bool lineEndAdded = false;  // the append first ended a last line that had no line end
    std::size_t head = 0;       // bytes before the change
    std::size_t tail = 0;       // bytes after it
    std::string before, after;  // the changed bytes, before and after
    // How often the file had been changed behind the program's back when
    // this was written (EditLog): an edit of an older time is not taken back.
    int epoch = 0;

    std::size_t sizeBefore() const { return head + before.size() + tail; }
    std::size_t sizeAfter() const { return head + after.size() + tail; }
    // The whole file before (`undone`) or after the edit, made from the file's
    // bytes as they are on the other side of it; nullopt when `bytes` are not
    // what the edit left there.
    std::optional<std::string> across(std::string_view bytes, bool undone) const;
};

// The edit that rewrote the file `old` as `now`.
FileEdit wholeEdit(std::string name, std::string_view old, std::string_view now, bool existed);

}  // namespace zm
