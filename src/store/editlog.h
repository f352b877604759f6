#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/fileedit.h"
#include "store/filestamp.h"

namespace zm {

// The program's own writes to its data files, shared by the folders of the
// pages that write (DataFolder::keepEdits): the edits made since they were
// last taken, and the stamp the program's last write left on each file, so
// that an undo can tell a file another program changed since.
class EditLog {
public:
    // A write is about to be made to a file that now has this stamp: one
    // the program did not leave there was changed behind its back, and the
    // edits made before it can no longer be taken back.
    void aboutToWrite(std::string_view name, const std::optional<FileStamp>& now);
    // A write went through: its edit, and the stamp it left.
    void wrote(FileEdit edit, std::optional<FileStamp> left);
    // The file was left so by a write that is not itself an edit (an undo).
    void left(std::string_view name, std::optional<FileStamp> stamp);
    // True when the edit's file still has the stamp the program's last write
    // left, and was not changed behind its back since the edit was made.
    bool asLeft(const FileEdit& edit, const std::optional<FileStamp>& now) const;
    // The edits written since the last take(), in order.
    std::vector<FileEdit> take();
    bool pending() const { return !edits_.empty(); }

private:
    struct Known {
        std::optional<FileStamp> stamp;
        int epoch = 0;
    };
    std::vector<FileEdit> edits_;
    std::map<std::string, Known, std::less<>> left_;
};

}  // namespace zm
