#pragma once

#include <cstddef>
#include <string_view>

namespace zm {

// A short text's bytes hashed a word at a time, for the names a ledger
// repeats: the standard hash walks them byte by byte.
struct ShortTextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const;
};

}  // namespace zm
