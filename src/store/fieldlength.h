#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zm {

// The longest string field a data file may hold, in characters: far beyond
// any name a person types, short enough that a damaged file cannot freeze a
// page. The reader and every input check use this one limit, so nothing the
// program writes is refused when it is read back.
inline constexpr std::size_t kMaxFieldChars = 4096;

// True when the text is no longer than a string field may be.
bool fitsFieldLength(std::string_view utf8);

// A short piece of a field for an error message: a damaged field can be huge.
std::string excerpt(std::string_view text);

}  // namespace zm
