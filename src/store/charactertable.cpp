#include "store/charactertable.h"

#include <algorithm>
#include <cstring>

namespace zm {

namespace {

// A well-formed UTF-8 character of the BMP at p: its length and its code
// point; 0 for anything else.
std::size_t bmpCharacter(std::string_view s, std::size_t p, std::uint32_t& code) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(s[p + i]); };
    const auto continues = [&](std::size_t i, unsigned lo = 0x80, unsigned hi = 0xBF) {
        return p + i < s.size() && at(i) >= lo && at(i) <= hi;
    };
    const unsigned lead = at(0);
    if (lead >= 0xC2 && lead <= 0xDF && continues(1)) {
        code = (lead & 0x1Fu) << 6 | (at(1) & 0x3Fu);
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        // No overlong forms, no surrogates.
        const unsigned lo = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned hi = lead == 0xED ? 0x9F : 0xBF;
        if (!continues(1, lo, hi) || !continues(2)) return 0;
        code = (lead & 0x0Fu) << 12 | (at(1) & 0x3Fu) << 6 | (at(2) & 0x3Fu);
        return 3;
    }
    return 0;
}

}  // namespace

CharacterTable::CharacterTable(Converter convert) : convert_(convert), units_(0x10000) {
    std::string ascii(128, '\0');
    for (std::size_t i = 0; i < ascii.size(); ++i) ascii[i] = static_cast<char>(i);
    asciiSame_ = convert_(ascii) == ascii;
}

const CharacterTable::Unit* CharacterTable::learn(std::uint32_t code, std::string_view character) {
    Unit& u = units_[code];
    if (u.state == Unit::kUnknown) {
        const auto converted = convert_(character);
        u.state = Unit::kNone;
        if (converted && !converted->empty() && converted->size() <= sizeof u.bytes) {
            u.state = Unit::kKnown;
            u.size = static_cast<std::uint8_t>(converted->size());
            std::copy(converted->begin(), converted->end(), u.bytes);
        }
    }
    return u.state == Unit::kKnown ? &u : nullptr;
}

std::optional<std::string> CharacterTable::encode(std::string_view utf8) {
    std::string out;
    if (!encodeAppend(out, utf8)) return std::nullopt;
    return out;
}

bool CharacterTable::encodeAppend(std::string& out, std::string_view utf8) {
    const std::size_t start = out.size();
    const auto whole = [&] {
        out.resize(start);
        const auto converted = convert_(utf8);
        if (converted) out += *converted;
        return converted.has_value();
    };
    if (!asciiSame_) return whole();
    // A character never takes more bytes in the code page than in UTF-8.
    out.resize(start + utf8.size());
    char* o = out.data() + start;
    for (std::size_t p = 0; p < utf8.size();) {
        if (static_cast<unsigned char>(utf8[p]) < 0x80) {
            // A record is mostly ASCII: eight bytes at a time while all are.
            std::uint64_t word = 0;
            while (utf8.size() - p >= 8 &&
                   (std::memcpy(&word, utf8.data() + p, 8), (word & 0x8080808080808080ULL) == 0)) {
                std::memcpy(o, &word, 8);
                o += 8;
                p += 8;
            }
            while (p < utf8.size() && static_cast<unsigned char>(utf8[p]) < 0x80) *o++ = utf8[p++];
            continue;
        }
        std::uint32_t code = 0;
        const std::size_t n = bmpCharacter(utf8, p, code);
        const Unit* unit = n == 0 ? nullptr : find(code, utf8.substr(p, n));
        if (!unit || unit->size > n) return whole();
        // Two fixed bytes, the most a character takes in the code page; the
        // room is there, as the character took at least two in UTF-8.
        std::memcpy(o, unit->bytes, 2);
        o += unit->size;
        p += n;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return true;
}

}  // namespace zm
