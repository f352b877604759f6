#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "store/shorttexthash.h"

namespace zm {

// What a reading does with a record's string fields: decodes them into the
// record; only checks them; or decodes and numbers them in its
// DecodedStrings, leaving the record's string empty.
enum class StringFields { Copied, Checked, Numbered };

// The string fields decoded so far in one read of a file, by their bytes in
// the code page: a ledger names the same items again and again. Each text
// kept has a number, in the order they were first met.
class DecodedStrings {
public:
    // `keepAll`: every text is kept, however many, so that every field has a
    // number; otherwise only the first few thousand.
    explicit DecodedStrings(bool keepAll = false) : keepAll_(keepAll) {}

    // The text of bytes met before; nullptr for new ones.
    const std::string* find(std::string_view bytes) const {
        const auto it = texts_.find(bytes);
        if (it == texts_.end()) return nullptr;
        last_ = it->second.number;
        return &it->second.text;
    }
    // Keeps the text of `bytes`, up to a few thousand of them.
    void remember(std::string_view bytes, std::string text) {
        constexpr std::size_t kRemembered = 4096;
        if (!keepAll_ && texts_.size() >= kRemembered) return;
        const auto number = static_cast<std::uint32_t>(order_.size());
        const auto [it, added] = texts_.try_emplace(bytes, Kept{std::move(text), number});
        if (added) order_.push_back(&it->second.text);
        last_ = it->second.number;
    }
    // A string field's bytes decoded into `out`, and remembered; false when
    // they are not the code page's or the text is longer than a field may be.
    bool decode(std::string_view bytes, std::string& out);
    // The same, without a copy for the caller: the text is only kept.
    bool decode(std::string_view bytes);
    // The number of the text found or kept last.
    std::uint32_t last() const { return last_; }
    // Every text kept, by its number.
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        out.reserve(order_.size());
        for (const std::string* t : order_) out.push_back(*t);
        return out;
    }

private:
    struct Kept {
        std::string text;
        std::uint32_t number;
    };
    std::unordered_map<std::string_view, Kept, ShortTextHash> texts_;
    std::vector<const std::string*> order_;
    mutable std::uint32_t last_ = 0;
    bool keepAll_;
};

}  // namespace zm
