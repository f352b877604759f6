#include "store/readsahead.h"

#include <utility>

namespace zm {

void ReadsAhead::beginAny(std::string_view name, const FileStamp& stamp, std::type_index type,
                          std::function<void()> run, std::shared_ptr<void> future) {
    pending_.insert_or_assign(std::string(name), Pending{stamp, type, std::move(future)});
    const std::lock_guard lock(mutex_);
    queue_.push_back(std::move(run));
    if (working_) return;
    // The thread that ran the last queue has left it, or is about to.
    if (thread_.joinable()) thread_.join();
    working_ = true;
    thread_ = std::thread([this] { work(); });
}

void ReadsAhead::work() {
    for (std::size_t next = 0;; ++next) {
        std::function<void()> run;
        {
            const std::lock_guard lock(mutex_);
            if (next == queue_.size()) {
                queue_.clear();
                working_ = false;
                return;
            }
            run = std::move(queue_[next]);
        }
        run();  // a failure is kept in the result
    }
}

std::shared_ptr<void> ReadsAhead::takeAny(
    std::string_view name, std::type_index type,
    const std::function<std::optional<FileStamp>()>& stampNow) {
    const auto it = pending_.find(name);
    if (it == pending_.end()) return {};
    Pending pending = std::move(it->second);
    pending_.erase(it);
    if (pending.type != type || stampNow() != pending.stamp) return {};
    return std::move(pending.future);
}

void ReadsAhead::dropAll() {
    if (thread_.joinable()) thread_.join();
    pending_.clear();
}

}  // namespace zm
