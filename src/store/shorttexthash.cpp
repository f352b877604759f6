#include "store/shorttexthash.h"

#include <cstdint>
#include <cstring>

namespace zm {

std::size_t ShortTextHash::operator()(std::string_view s) const {
    std::uint64_t h = s.size() * 0x9E3779B97F4A7C15ULL;
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t w = 0;
        std::memcpy(&w, s.data() + i, 8);
        h = (h ^ w) * 0xFF51AFD7ED558CCDULL;
        h ^= h >> 32;
    }
    std::uint64_t tail = 0;
    for (std::size_t k = i; k < s.size(); ++k) {
        tail = tail << 8 | static_cast<unsigned char>(s[k]);
    }
    h = (h ^ tail) * 0xC4CEB9FE1A85EC53ULL;
    return static_cast<std::size_t>(h ^ (h >> 29));
}

}  // namespace zm
