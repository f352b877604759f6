#include "store/editlog.h"

#include <utility>

namespace zm {

void EditLog::wrote(FileEdit edit, std::optional<FileStamp> left) {
    this->left(edit.name, left);
    edits_.push_back(std::move(edit));
}

void EditLog::left(std::string_view name, std::optional<FileStamp> stamp) {
    const auto it = left_.find(name);
    if (it != left_.end()) {
        it->second = stamp;
    } else {
        left_.emplace(std::string(name), stamp);
    }
}

bool EditLog::asLeft(std::string_view name, const std::optional<FileStamp>& now) const {
    const auto it = left_.find(name);
    return it != left_.end() && it->second == now;
}

std::vector<FileEdit> EditLog::take() {
    return std::exchange(edits_, {});
}

}  // namespace zm
