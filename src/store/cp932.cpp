#include "store/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <vector>

namespace zm {

namespace {

std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;

    std::string out(in.size() * 2 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());  // iconv does not write through it
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) continue;
        if (errno != E2BIG) {
            ok = false;  // EILSEQ: not convertible; EINVAL: cut off in the middle of a character
            break;
        }
        const std::size_t used = static_cast<std::size_t>(outPtr - out.data());
        out.resize(out.size() * 2);
        outPtr = out.data() + used;
        outLeft = out.size() - used;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(static_cast<std::size_t>(outPtr - out.data()));
    return out;
}

// What iconv makes of single characters, remembered: a data file repeats a
// few characters (年, 月, 日, the names of items) tens of thousands of times,
// and iconv's own work per character is most of the cost of a full ledger.
// The code page is stateless, so a character converts alone as it does in
// its text; anything the table does not know goes to iconv whole, so the
// result is always iconv's.
class Characters {
public:
    struct Unit {
        enum : std::uint8_t { kUnknown, kKnown, kNone };
        std::uint8_t state = kUnknown;
        std::uint8_t size = 0;
        char bytes[3] = {};  // a character of the BMP takes at most three
    };

    Characters(const char* to, const char* from) : to_(to), from_(from) {
        std::string ascii(128, '\0');
        for (std::size_t i = 0; i < ascii.size(); ++i) ascii[i] = static_cast<char>(i);
        asciiSame_ = convert(to, from, ascii) == ascii;
    }
    const char* to() const { return to_; }
    const char* from() const { return from_; }
    // Both code pages write ASCII as ASCII (checked once with iconv).
    bool asciiSame() const { return asciiSame_; }
    // The conversion of the character `in`, numbered `key` below 65536;
    // nullptr when iconv must judge it in its text.
    const Unit* find(std::uint32_t key, std::string_view in) {
        Unit& u = units_[key];
        if (u.state == Unit::kUnknown) {
            const auto converted = convert(to_, from_, in);
            u.state = Unit::kNone;
            if (converted && !converted->empty() && converted->size() <= sizeof u.bytes) {
                u.state = Unit::kKnown;
                u.size = static_cast<std::uint8_t>(converted->size());
                std::copy(converted->begin(), converted->end(), u.bytes);
            }
        }
        return u.state == Unit::kKnown ? &u : nullptr;
    }

private:
    const char* to_;
    const char* from_;
    bool asciiSame_ = false;
    std::vector<Unit> units_ = std::vector<Unit>(65536);
};

// Converts character by character through the table. `split(text, p, key)`
// gives the length of the character at p, which is not ASCII, and its key;
// 0 sends the whole text to iconv.
template <class Split>
std::optional<std::string> byCharacters(Characters& table, std::string_view in, Split split) {
    if (!table.asciiSame()) return convert(table.to(), table.from(), in);
    std::string out;
    out.reserve(in.size() + in.size() / 2);
    // Gathered here and appended in blocks: most characters are a byte or two.
    char block[4096];
    std::size_t used = 0;
    for (std::size_t p = 0; p < in.size();) {
        if (used + sizeof Characters::Unit::bytes > sizeof block) {
            out.append(block, used);
            used = 0;
        }
        if (static_cast<unsigned char>(in[p]) < 0x80) {
            block[used++] = in[p++];
            continue;
        }
        std::uint32_t key = 0;
        const std::size_t n = split(in, p, key);
        const Characters::Unit* unit = n == 0 ? nullptr : table.find(key, in.substr(p, n));
        if (!unit) return convert(table.to(), table.from(), in);
        for (std::uint8_t i = 0; i < unit->size; ++i) block[used++] = unit->bytes[i];
        p += n;
    }
    out.append(block, used);
    return out;
}

// A well-formed UTF-8 character of the BMP at p: its length, and its code
// point as the key.
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

// A character of the code page at p: a lead byte and its trail byte, or a
// byte that stands alone; the bytes as the key.
std::size_t cp932Character(std::string_view s, std::size_t p, std::uint32_t& key) {
    const auto b = static_cast<unsigned char>(s[p]);
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
        if (p + 1 >= s.size()) return 0;
        key = b << 8 | static_cast<unsigned char>(s[p + 1]);
        return 2;
    }
    key = b;
    return 1;
}

}  // namespace

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
    thread_local Characters table("CP932", "UTF-8");
    return byCharacters(table, utf8, bmpCharacter);
}

std::optional<std::string> cp932ToUtf8(std::string_view cp932) {
    thread_local Characters table("UTF-8", "CP932");
    return byCharacters(table, cp932, cp932Character);
}

bool fitsStringField(std::string_view utf8) {
    return utf8.find_first_of("\"\r\n") == std::string_view::npos && utf8ToCp932(utf8).has_value();
}

}  // namespace zm
