#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/fileedit.h"

namespace zm {

class DataFolder;

// The changes of this run of the program that can be undone, and those
// undone that can be made again: what each wrote to the files and how its
// page shows it.
class UndoList {
public:
    struct Step {
        std::string what;  // in the page's words
        int page = 0;      // the page the change was made on
        std::vector<FileEdit> edits;
        std::function<void(bool undone)> show;  // empty: the page is read anew
    };
    // The oldest steps go beyond this many.
    static constexpr std::size_t kKept = 200;

    // A new change: what could be made again is gone.
    void push(Step step);
    const Step* toUndo() const { return done_.empty() ? nullptr : &done_.back(); }
    const Step* toRedo() const { return undone_.empty() ? nullptr : &undone_.back(); }

    // The folder that writes a data file.
    using FolderOf = std::function<const DataFolder&(std::string_view file)>;
    // Writes the files of the step to undo (or redo) as they were before (or
    // after) it, all or none: every file is checked before the first is
    // written, and one that fails puts back those written before it. A file
    // changed since is an OutsideChange; a failed write its FileError. On
    // success the step moves to the other list.
    void undo(const FolderOf& folderOf);
    void redo(const FolderOf& folderOf);
    // The step to undo (or redo) goes, unwritten; a refused redo takes every
    // later one with it, since each was made on top of it.
    void dropUndo();
    void dropRedo() { undone_.clear(); }
    void clear();

private:
    static void write(const Step& step, bool undone, const FolderOf& folderOf);
    std::deque<Step> done_;
    std::vector<Step> undone_;
};

}  // namespace zm
