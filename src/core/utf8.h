#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zm {

// Number of Unicode characters in UTF-8 text.
std::size_t charCount(std::string_view utf8);
// The first n characters (not bytes); the whole text when it is shorter.
std::string firstChars(std::string_view utf8, std::size_t n);
// Decodes the character that starts at pos and moves pos past it. A malformed
// byte yields U+FFFD and moves pos by one.
char32_t nextChar(std::string_view utf8, std::size_t& pos);

}  // namespace zm
