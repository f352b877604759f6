#include "core/utf8.h"

namespace zm {

char32_t nextChar(std::string_view utf8, std::size_t& pos) {
    constexpr char32_t kBad = 0xFFFD;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const unsigned char lead = byte(pos);
    std::size_t len = 0;
    char32_t c = 0;
    char32_t least = 0;  // smallest value this length may carry; less is an overlong form
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        len = 2, c = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        len = 3, c = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        len = 4, c = lead & 0x07, least = 0x10000;
    } else {
        ++pos;
        return kBad;
    }
    if (utf8.size() - pos < len) {
        ++pos;
        return kBad;
    }
    for (std::size_t i = 1; i < len; ++i) {
        const unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return kBad;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return kBad;
    }
    pos += len;
    return c;
}

std::size_t charCount(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count) nextChar(utf8, pos);
    return count;
}

std::string firstChars(std::string_view utf8, std::size_t n) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < n && pos < utf8.size(); ++i) nextChar(utf8, pos);
    return std::string(utf8.substr(0, pos));
}

}  // namespace zm
