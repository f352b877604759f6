#include "app/undolist.h"

#include <utility>

#include "store/datafolder.h"
#include "store/fileerror.h"

namespace zm {

void UndoList::push(Step step) {
    undone_.clear();
    done_.push_back(std::move(step));
    if (done_.size() > kKept) done_.pop_front();
}

void UndoList::write(const Step& step, bool undone, const FolderOf& folderOf) {
    for (const FileEdit& e : step.edits) folderOf(e.name).checkAsLeft(e);
    const auto n = step.edits.size();
    // An undo takes the edits back last first.
    const auto edit = [&](std::size_t k) -> const FileEdit& {
        return step.edits[undone ? n - 1 - k : k];
    };
    std::size_t written = 0;
    try {
        for (; written < n; ++written) {
            const FileEdit& e = edit(written);
            if (undone) {
                folderOf(e.name).takeBack(e);
            } else {
                folderOf(e.name).makeAgain(e);
            }
        }
    } catch (const FileError&) {
        // The files written so far get back what they held; a failure there
        // leaves them as they are, under the first failure's message.
        while (written-- > 0) {
            const FileEdit& e = edit(written);
            try {
                if (undone) {
                    folderOf(e.name).makeAgain(e);
                } else {
                    folderOf(e.name).takeBack(e);
                }
            } catch (const FileError&) {
            }
        }
        throw;
    }
}

void UndoList::undo(const FolderOf& folderOf) {
    if (done_.empty()) return;
    write(done_.back(), true, folderOf);
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
}

void UndoList::redo(const FolderOf& folderOf) {
    if (undone_.empty()) return;
    write(undone_.back(), false, folderOf);
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
}

void UndoList::dropUndo() {
    if (!done_.empty()) done_.pop_back();
}

void UndoList::clear() {
    done_.clear();
    undone_.clear();
}

}  // namespace zm
