#pragma once

#include <functional>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "store/filestamp.h"

namespace zm {

// Reads begun on another thread before they are asked for (see
// RecordFile::readAhead), so that files are read on the second core while
// the first one builds the window. The first reader of the file takes the
// result, waiting for it if need be, while the file keeps the stamp it had
// when the read began; otherwise it reads the file itself. Begun and taken
// from one thread.
class ReadsAhead {
public:
    ReadsAhead() = default;
    ReadsAhead(const ReadsAhead&) = delete;
    ReadsAhead& operator=(const ReadsAhead&) = delete;
    ~ReadsAhead() { dropAll(); }

    // `read` runs at once on the reading thread, after the reads begun before it.
    template <class T>
    void begin(std::string_view name, const FileStamp& stamp, std::function<T()> read) {
        auto task = std::make_shared<std::packaged_task<T()>>(std::move(read));
        auto future = std::make_shared<std::future<T>>(task->get_future());
        beginAny(
            name, stamp, typeid(T), [task] { (*task)(); }, std::move(future));
    }
    // The result begun for the file, its failure thrown here; nullopt when
    // none was begun or `stampNow` tells that the file has changed since.
    template <class T>
    std::optional<T> take(std::string_view name,
                          const std::function<std::optional<FileStamp>()>& stampNow) {
        const std::shared_ptr<void> future = takeAny(name, typeid(T), stampNow);
        if (!future) return std::nullopt;
        return static_cast<std::future<T>*>(future.get())->get();
    }
    // Waits for the reads under way and drops every result not taken.
    void dropAll();

private:
    struct Pending {
        FileStamp stamp;
        std::type_index type = typeid(void);
        std::shared_ptr<void> future;
    };
    void beginAny(std::string_view name, const FileStamp& stamp, std::type_index type,
                  std::function<void()> run, std::shared_ptr<void> future);
    std::shared_ptr<void> takeAny(std::string_view name, std::type_index type,
                                  const std::function<std::optional<FileStamp>()>& stampNow);
    void work();
    std::map<std::string, Pending, std::less<>> pending_;
    std::mutex mutex_;  // guards the queue and `working_`
    std::vector<std::function<void()>> queue_;
    bool working_ = false;
    std::thread thread_;
};

}  // namespace zm
