#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "store/shorttexthash.h"

namespace zm {

// The string fields decoded so far in one read of a file, by their bytes in
// the code page: a ledger names the same items again and again.
class DecodedStrings {
public:
    // The text of bytes met before; nullptr for new ones.
    const std::string* find(std::string_view bytes) const {
        const auto it = texts_.find(bytes);
        return it == texts_.end() ? nullptr : &it->second;
    }
    // Keeps the text of `bytes`, up to a few thousand of them.
    void remember(std::string_view bytes, std::string text) {
        constexpr std::size_t kRemembered = 4096;
        if (texts_.size() < kRemembered) texts_.emplace(bytes, std::move(text));
    }
    // A string field's bytes decoded into `out`, and remembered; false when
    // they are not the code page's or the text is longer than a field may be.
    bool decode(std::string_view bytes, std::string& out);

private:
    std::unordered_map<std::string_view, std::string, ShortTextHash> texts_;
};

}  // namespace zm
