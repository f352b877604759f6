#include "store/fieldlength.h"

#include "core/utf8.h"

namespace zm {

std::string excerpt(std::string_view text) {
    constexpr std::size_t kShown = 20;
    if (charCount(text) <= kShown) return std::string(text);
    return firstChars(text, kShown) + "…";
}

bool fitsFieldLength(std::string_view utf8) {
    // No character is shorter than a byte: most fields need no count at all.
    return utf8.size() <= kMaxFieldChars || charCount(utf8) <= kMaxFieldChars;
}

}  // namespace zm
