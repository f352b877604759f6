#include "store/editlog.h"

#include <utility>

namespace zm {

void EditLog::aboutToWrite(std::string_view name, const std::optional<FileStamp>& now) {
    const auto it = left_.find(name);
    if (it != left_.end() && it->second.stamp != now) ++it->second.epoch;
}

void EditLog::wrote(FileEdit edit, std::optional<FileStamp> left) {
    this->left(edit.name, left);
    edit.epoch = left_.find(edit.name)->second.epoch;
    edits_.push_back(std::move(edit));
}

void EditLog::left(std::string_view name, std::optional<FileStamp> stamp) {
    const auto it = left_.find(name);
    if (it != left_.end()) {
        it->second.stamp = stamp;
    } else {
        left_.emplace(std::string(name), Known{stamp, 0});
    }
}

bool EditLog::asLeft(const FileEdit& edit, const std::optional<FileStamp>& now) const {
    const auto it = left_.find(edit.name);
    return it != left_.end() && it->second.stamp == now && it->second.epoch == edit.epoch;
}

std::vector<FileEdit> EditLog::take() {
    return std::exchange(edits_, {});
}

}  // namespace zm
