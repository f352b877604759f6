#include "store/keptreads.h"

namespace zm {

std::shared_ptr<const void> KeptReads::findAny(std::string_view name, const FileStamp& stamp,
                                               std::type_index type) const {
    const std::lock_guard lock(mutex_);
    const auto it = entries_.find(std::pair(std::string(name), type));
    if (it == entries_.end() || it->second.stamp != stamp) return {};
    return it->second.read;
}

void KeptReads::keepAny(std::string_view name, const FileStamp& stamp, std::type_index type,
                        std::shared_ptr<const void> read) {
    const std::lock_guard lock(mutex_);
    entries_.insert_or_assign(std::pair(std::string(name), type), Entry{stamp, std::move(read)});
}

}  // namespace zm
