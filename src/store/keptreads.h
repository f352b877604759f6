#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <typeindex>
#include <typeinfo>
#include <utility>

#include "store/filestamp.h"

namespace zm {

// The last kept read of each file, with the stamp the file had before it was
// read: a page may take it again while the file keeps that stamp. Safe to
// use from several threads.
class KeptReads {
public:
    template <class T>
    std::shared_ptr<const T> find(std::string_view name, const FileStamp& stamp) const {
        return std::static_pointer_cast<const T>(findAny(name, stamp, typeid(T)));
    }
    template <class T>
    void keep(std::string_view name, const FileStamp& stamp, std::shared_ptr<const T> read) {
        keepAny(name, stamp, typeid(T), std::move(read));
    }

private:
    struct Entry {
        FileStamp stamp;
        std::shared_ptr<const void> read;
    };
    std::shared_ptr<const void> findAny(std::string_view name, const FileStamp& stamp,
                                        std::type_index type) const;
    void keepAny(std::string_view name, const FileStamp& stamp, std::type_index type,
                 std::shared_ptr<const void> read);
    mutable std::mutex mutex_;
    // One of each kind per file: a page may keep another view of the file.
    std::map<std::pair<std::string, std::type_index>, Entry> entries_;
};

}  // namespace zm
