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
    Characters(const char* to, const char* from) : to_(to), from_(from) {
        std::string ascii(128, '\0');
        for (std::size_t i = 0; i < ascii.size(); ++i) ascii[i] = static_cast<char>(i);
        asciiSame_ = convert(to, from, ascii) == ascii;
    }
    // Both code pages write ASCII as ASCII (checked once with iconv).
    bool asciiSame() const { return asciiSame_; }
    // Appends the conversion of the character `in`, numbered `key` below
    // 65536; false when iconv must judge it in its text.
    bool append(std::string& out, std::uint32_t key, std::string_view in) {
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
        if (u.state != Unit::kKnown) return false;
        out.append(u.bytes, u.size);
        return true;
    }

private:
    struct Unit {
        enum : std::uint8_t { kUnknown, kKnown, kNone };
        std::uint8_t state = kUnknown;
        std::uint8_t size = 0;
        char bytes[3] = {};  // a character of the BMP takes at most three
    };
    const char* to_;
    const char* from_;
    bool asciiSame_ = false;
    std::vector<Unit> units_ = std::vector<Unit>(65536);
};

// How many bytes from `p` on are ASCII.
std::size_t asciiRun(std::string_view s, std::size_t p) {
    std::size_t end = p;
    while (end < s.size() && static_cast<unsigned char>(s[end]) < 0x80) ++end;
    return end - p;
}

// The length of the UTF-8 sequence at `p` and its code point, when it is a
// well-formed character of the BMP; 0 otherwise.
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

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
    thread_local Characters table("CP932", "UTF-8");
    if (!table.asciiSame()) return convert("CP932", "UTF-8", utf8);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t p = 0; p < utf8.size();) {
        if (const std::size_t n = asciiRun(utf8, p)) {
            out.append(utf8, p, n);
            p += n;
            continue;
        }
        std::uint32_t code = 0;
        const std::size_t n = bmpCharacter(utf8, p, code);
        if (n == 0 || !table.append(out, code, utf8.substr(p, n)))
            return convert("CP932", "UTF-8", utf8);
        p += n;
    }
    return out;
}

std::optional<std::string> cp932ToUtf8(std::string_view cp932) {
    thread_local Characters table("UTF-8", "CP932");
    if (!table.asciiSame()) return convert("UTF-8", "CP932", cp932);
    std::string out;
    out.reserve(cp932.size() + cp932.size() / 2);
    for (std::size_t p = 0; p < cp932.size();) {
        if (const std::size_t n = asciiRun(cp932, p)) {
            out.append(cp932, p, n);
            p += n;
            continue;
        }
        const auto b = static_cast<unsigned char>(cp932[p]);
        // Lead bytes of two-byte characters; every other byte stands alone.
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        const std::size_t n = lead ? 2 : 1;
        if (p + n > cp932.size()) return convert("UTF-8", "CP932", cp932);
        const std::uint32_t key = lead ? (b << 8 | static_cast<unsigned char>(cp932[p + 1])) : b;
        if (!table.append(out, key, cp932.substr(p, n))) return convert("UTF-8", "CP932", cp932);
        p += n;
    }
    return out;
}

bool fitsStringField(std::string_view utf8) {
    return utf8.find_first_of("\"\r\n") == std::string_view::npos && utf8ToCp932(utf8).has_value();
}

}  // namespace zm
